// The Java plug-in's function scanner: classes, interfaces and methods in document order.
#include "function_scan.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

struct JavaCase {
    const char* name;
    const char* source;
    std::vector<ExpectedEntry> entries;
};

void PrintTo(const JavaCase& c, std::ostream* out)
{
    *out << c.name;
}

const JavaCase kJavaCases[] = {
    {"InnerClassAndPrototype",
     "class A {\n  void f() { }\n  class B {\n    int g();\n  }\n}\n",
     {{"class A", "A", "A {", false},
      {"A.f", "f", "f()", false},
      {"class A.B", "B", "B {", false},
      {"A.B.g", "g", "g()", true}}},
    {"InterfaceMethodsArePrototypes",
     "public interface Shape extends Base, Other {\n  double area();\n  void draw(int x, int y);\n}\n",
     {{"interface Shape", "Shape", "Shape", false},
      {"Shape.area", "area", "area", true},
      {"Shape.draw", "draw", "draw", true}}},
    {"ModifiersExtendsAndImplementsInHeader",
     "public final class Impl extends Base implements Runnable, Cloneable {\n"
     "  public static void main(String[] args) throws Exception {\n  }\n}\n",
     {{"class Impl", "Impl", "Impl", false}, {"Impl.main", "main", "main", false}}},
    {"DottedBaseClassEndsTheHeader",
     "class C extends java.util.AbstractList {\n  void m() { }\n}\nclass After { void n(); }\n",
     {{"class C", "C", "C ext", false},
      {"class After", "After", "After", false},
      {"After.n", "n", "n()", true}}},
    {"GenericClassEndsTheHeader", "class Box<T> {\n  T get() { return null; }\n}\n",
     {{"class Box", "Box", "Box", false}}},
    {"FieldInitialiserCallIsAPrototype",
     "class D {\n  int x = compute(1) + 2;\n  int y;\n  D() { }\n}\n",
     {{"class D", "D", "D {", false},
      {"D.compute", "compute", "compute", true},
      {"D.D", "D", "D() {", false}}},
    {"CommentsAndLiteralsHideKeywordsAndBrackets",
     "// class Hidden {\n"
     "/* interface I { } */\n"
     "class F {\n"
     "  String s = \"class G { void h() {\";\n"
     "  char c = '{';\n"
     "  String q = \"\\\"}\";\n"
     "  void m() { String t = \"}\"; /* } */ // }\n  }\n"
     "  void n() { }\n"
     "}\n",
     {{"class F", "F", "F {", false}, {"F.m", "m", "m()", false}, {"F.n", "n", "n()", false}}},
    {"WordsBeginningWithKeywordsAreNotKeywords",
     "classy Foo { void a(); }\nclass_ Bar { }\nclass1 Baz { }\ninterfaces Q { }\nclass G { }\n",
     {{"class G", "G", "G {", false}}},
    {"LocalClassesInMethodBodies",
     "class H {\n"
     "  void run() {\n"
     "    if (x) {\n"
     "      class Local {\n        void go() { }\n      }\n"
     "    }\n"
     "    interface Callback { void call(); }\n"
     "  }\n"
     "  void after() { }\n"
     "}\n",
     {{"class H", "H", "H {", false},
      {"H.run", "run", "run", false},
      {"class H.Local", "Local", "Local", false},
      {"H.Local.go", "go", "go", false},
      {"interface H.Callback", "Callback", "Callback", false},
      {"H.Callback.call", "call", "call", true},
      {"H.after", "after", "after", false}}},
    {"NestedInterfaceInClassBodyIsSkipped",
     "class K {\n  interface L { void m(); }\n  void n() { }\n}\n",
     {{"class K", "K", "K {", false}, {"K.n", "n", "n()", false}}},
    {"InitialiserBlocksAndArrayInitialisersAreSkipped",
     "class M {\n  static { init(); }\n  int[] a = { f(1), 2 };\n  void g() { }\n}\n",
     {{"class M", "M", "M {", false}, {"M.g", "g", "g()", false}}},
    {"TopLevelBlocksAndLiteralsAreSkipped",
     "package p; import q.*;\n(class X {)\n[class Y]\n{ class Z { } }\n\"class S {\"\n'c'\nclass T { }\n",
     {{"class T", "T", "T {", false}}},
    {"ClassLiteralIsNoDeclaration",
     "class P {\n  Object o = P.class;\n  void f() { log(P.class); }\n}\n",
     {{"class P", "P", "P {", false}, {"P.f", "f", "f()", false}}},
    {"CallWithoutEndReportsNothing", "class Q {\n  void f(int a) throws X", {{"class Q", "Q", "Q {", false}}},
    {"UnterminatedBlockComment", "class R { void f(); }\n/* class S { }", {{"class R", "R", "R {", false}, {"R.f", "f", "f()", true}}},
    {"SiblingClassesAfterNesting",
     "class A { class B { class C { } } void a(); }\nclass D { void d(); }\n",
     {{"class A", "A", "A {", false},
      {"class A.B", "B", "B {", false},
      {"class A.B.C", "C", "C {", false},
      {"A.a", "a", "a()", true},
      {"class D", "D", "D {", false},
      {"D.d", "d", "d()", true}}},
    {"CommentsBetweenTheParts",
     "class /* name */ U /* x */ {\n  void /* c */ v /* c */ ( /* ) */ ) // {\n  ;\n}\n",
     {{"class U", "U", "U /*", false}, {"U.v", "v", "v /*", true}}},
    {"NonAsciiNames",
     "class \xC3\x84rger {\n  void gr\xC3\xBC\xC3\x9F() { }\n}\n",
     {{"class \xC3\x84rger", "\xC3\x84rger", "\xC3\x84rger", false},
      {"\xC3\x84rger.gr\xC3\xBC\xC3\x9F", "gr\xC3\xBC\xC3\x9F", "gr\xC3\xBC", false}}},
    {"Empty", "", {}},
};

class JavaScanner : public ::testing::TestWithParam<JavaCase> {};

TEST_P(JavaScanner, ReportsEntriesInDocumentOrder)
{
    const JavaCase& c = GetParam();
    EXPECT_EQ(Scan("Birchlex", c.source).entries, Expect(c.source, c.entries));
}

INSTANTIATE_TEST_SUITE_P(Cases, JavaScanner, ::testing::ValuesIn(kJavaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JavaScannerState, EachScanStartsWithoutEnclosingClasses)
{
    // The first document ends inside two classes.
    Scan("Birchlex", "class Outer { class Inner { void f() {");
    const std::string next = "class Next { void g(); }";
    EXPECT_EQ(Scan("Birchlex", next).entries,
              Expect(next, {{"class Next", "Next", "Next", false}, {"Next.g", "g", "g()", true}}));
}

TEST(JavaScannerLimits, LongNamesAreCutTo256Bytes)
{
    const std::string name(300, 'n');
    const std::string source = "class " + name + " { void f(); }";
    const std::string cut(256, 'n');
    EXPECT_EQ(Scan("Birchlex", source).entries,
              (std::vector<Entry>{{"class " + cut, cut, 6, false}, {cut + ".f", "f", OffsetOf(source, "f()"), true}}));
}

TEST(JavaScannerLimits, DeeplyNestedClassesAreAllReported)
{
    // About a megabyte of classes, each declared inside the one before.
    const int depth = 100000;
    std::string source;
    for (int i = 0; i < depth; ++i)
        source += "class X" + std::to_string(i % 10) + " {";
    const ScanResult result = Scan("Birchlex", source);
    ASSERT_EQ(result.entries.size(), static_cast<std::size_t>(depth));
    EXPECT_EQ(result.entries[1].label, "class X0.X1");
    // Full names stop growing at a kilobyte; the innermost name is still shown.
    const Entry& last = result.entries.back();
    EXPECT_EQ(last.name, "X9");
    EXPECT_LE(last.label.size(), std::string("class ").size() + 1024 + 1 + 2);
    EXPECT_EQ(last.label.substr(0, 12), "class X0.X1.");
    EXPECT_EQ(last.label.substr(last.label.size() - 3), ".X9");
    EXPECT_EQ(last.offset, static_cast<int>(source.size()) - 4);
}

TEST(JavaScannerLimits, DeepBlocksAndParenthesesEnd)
{
    const std::string deep(1 << 20, '{');
    for (const std::string& source :
         {deep, std::string(1 << 20, '('), "class A { void f() " + deep, "class A { " + deep,
          "class A { void f(" + std::string(1 << 20, '(') + ") { }"}) {
        const ScanResult result = Scan("Birchlex", source);
        EXPECT_LE(result.entries.size(), 2u);
    }
}

} // namespace
} // namespace varnel::test
