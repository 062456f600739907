# Helpers that build the product's modules the same way on every platform.

# The data every language plug-in exports beside its functions.
set(VARNEL_LANGUAGE_DATA
  kLanguageName kLanguageExtensions kLanguageKeywordFile kLanguageKeywords kLanguageStyles)

# Writes the module definition file that gives a Windows module its plain export names.
function(varnel_write_def_file target functions data out_var)
  set(def "LIBRARY ${target}\nEXPORTS\n")
  foreach(fn IN LISTS functions)
    string(APPEND def "  ${fn}\n")
  endforeach()
  foreach(item IN LISTS data)
    string(APPEND def "  ${item} DATA\n")
  endforeach()
  set(path ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  file(CONFIGURE OUTPUT ${path} CONTENT "${def}")
  set(${out_var} ${path} PARENT_SCOPE)
endfunction()

# Writes the linker version script that keeps a Linux module's exports to the names
# given: instances of library templates (a std::vector's, say) would otherwise be
# exported beside them, hidden visibility notwithstanding.
function(varnel_write_version_script target names out_var)
  set(script "{\n  global:\n")
  foreach(name IN LISTS names)
    if(NOT name STREQUAL "")
      string(APPEND script "    ${name};\n")
    endif()
  endforeach()
  string(APPEND script "  local: *;\n};\n")
  set(path ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  file(CONFIGURE OUTPUT ${path} CONTENT "${script}")
  set(${out_var} ${path} PARENT_SCOPE)
endfunction()

# Generates the C++ source of a scanner from flex rules into the build folder; the
# generated code is never part of the sources.
function(varnel_generated_scanner target rules out_var)
  find_package(FLEX 2.6 REQUIRED)
  get_filename_component(rules ${rules} ABSOLUTE)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_scanner.cpp)
  flex_target(${target}_scanner ${rules} ${source})
  set(${out_var} ${FLEX_${target}_scanner_OUTPUTS} PARENT_SCOPE)
endfunction()

# Shared-library settings common to plug-ins and tool extensions.
function(varnel_module target folder)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${target}
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    RUNTIME_OUTPUT_DIRECTORY ${folder})
  if(NOT WIN32 AND NOT VARNEL_SANITIZE AND NOT VARNEL_FUZZ)
    target_link_options(${target} PRIVATE -Wl,-z,defs)
  endif()
  varnel_lean_library_errors(${target})
endfunction()

# Windows modules and programs link the C++ library statically: give them the library's
# error paths without the standard exception types' string machinery.
function(varnel_lean_library_errors target)
  if(WIN32)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/languages/common/library_errors.cpp)
  endif()
endfunction()

# varnel_language_plugin(<Deliverable> SOURCES <files...> [FUNCTIONS <exported functions...>]
#                        [LINE_COMMENTS] [C_LIKE_BALANCE] [SCANNER <rules.l>])
# GetDataAddress and the five data items are exported by every plug-in and need not be
# listed; LINE_COMMENTS adds the shared CommentLine and UncommentLine, C_LIKE_BALANCE a
# Balance that is the shared bracket balancer for C-like text. A plug-in with a Balance
# of its own lists it among its FUNCTIONS instead. SCANNER generates a scanner from the
# flex rules in the file given, at every build, and compiles it into the plug-in.
function(varnel_language_plugin target)
  cmake_parse_arguments(PLUGIN "LINE_COMMENTS;C_LIKE_BALANCE" "SCANNER" "SOURCES;FUNCTIONS" ${ARGN})
  if(PLUGIN_SCANNER)
    varnel_generated_scanner(${target} ${PLUGIN_SCANNER} generated)
    list(APPEND PLUGIN_SOURCES ${generated})
  endif()
  if(PLUGIN_LINE_COMMENTS)
    list(APPEND PLUGIN_SOURCES ${CMAKE_SOURCE_DIR}/languages/common/line_comment_exports.cpp)
    list(APPEND PLUGIN_FUNCTIONS CommentLine UncommentLine)
  endif()
  if(PLUGIN_C_LIKE_BALANCE)
    list(APPEND PLUGIN_SOURCES ${CMAKE_SOURCE_DIR}/languages/common/balance_exports.cpp)
    list(APPEND PLUGIN_FUNCTIONS Balance)
  endif()
  add_library(${target} SHARED ${PLUGIN_SOURCES})
  target_link_libraries(${target} PRIVATE language_entry language_support)
  if(PLUGIN_SCANNER)
    # The generated scanner, in the build folder, includes the plug-in's headers.
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  varnel_module(${target} ${VARNEL_LANGUAGES_DIR})
  if(WIN32)
    varnel_write_def_file(${target} "GetDataAddress;${PLUGIN_FUNCTIONS}" "${VARNEL_LANGUAGE_DATA}" def)
    target_sources(${target} PRIVATE ${def})
  elseif(NOT VARNEL_SANITIZE AND NOT VARNEL_FUZZ)
    varnel_write_version_script(${target} "GetDataAddress;${PLUGIN_FUNCTIONS};${VARNEL_LANGUAGE_DATA}" script)
    target_link_options(${target} PRIVATE -Wl,--version-script=${script})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
  endif()
  set_property(GLOBAL APPEND PROPERTY VARNEL_LANGUAGE_PLUGINS ${target})
endfunction()

# varnel_tool_extension(<Deliverable> SOURCES <files...> [LIBRARIES <libraries...>])
# A tool extension exports Perform and, on Windows, its library entry DllMain, which
# keeps the module's instance handle; it lands in the Extensions folder.
function(varnel_tool_extension target)
  cmake_parse_arguments(TOOL "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${target} SHARED ${TOOL_SOURCES})
  target_link_libraries(${target} PRIVATE tool_entry tool_support ${TOOL_LIBRARIES})
  varnel_module(${target} ${VARNEL_EXTENSIONS_DIR})
  if(WIN32)
    varnel_write_def_file(${target} "Perform;DllMain" "" def)
    target_sources(${target} PRIVATE ${def})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # The 32-bit DllMain is a stdcall name (DllMain@12); export it by its plain name.
      target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
  else()
    # Template code from the standard headers would be exported too: keep it local.
    set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
    file(CONFIGURE OUTPUT ${map} CONTENT "{\n  global: Perform;\n  local: *;\n};\n")
    target_link_options(${target} PRIVATE -Wl,--version-script=${map})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
  endif()
  set_property(GLOBAL APPEND PROPERTY VARNEL_TOOL_EXTENSIONS ${target})
endfunction()
