// The language data of the ActionScript plug-in: ActionScript sources.
#include "language_exports.h"
#include "style_palette.h"
#include "line_comment.h"

extern "C" {

const char kLanguageName[] = "ActionScript";
const char kLanguageExtensions[] = "*.as";
const char kLanguageKeywordFile[] = "keywords.as";

const char kLanguageKeywords[] =
    "#endinitclip #include #initclip Infinity NaN break case continue default \n"
    "delete do else false for function if in instanceof new newLine null on \n"
    "onClipEvent return switch this true typeof undefined var void while with\n"
    "- Identifiers\n"
    "abs acos addListener addProperty align \n"
    "appendChild apply callee caller asin atan atan2 \n"
    "attachMovie attachSound attributes autoSize background backgroundColor \n"
    "beginFill beginGradientFill bold border borderColor bottomScroll bullet \n"
    "UTC capabilities ceil charAt charCodeAt childNodes clear clearInterval cloneNode close color \n"
    "concat connect contentType cos createElement createEmptyMovieClip \n"
    "createTextField createTextNode curveTo data docTypeDecl dragOut dragOver \n"
    "duplicateMovieClip duration embedFonts enabled endFill enterFrame \n"
    "escape eval exp firstChild floor focusEnabled font fscommand get getAscii \n"
    "getBounds getBytesLoaded getBytesTotal getCode getDate getDay getDepth \n"
    "getFontList getFullYear getHours getMilliseconds getMinutes getMonth \n"
    "getNewTextFormat getPan getProperty getRGB getSeconds getTextExtent \n"
    "getTextFormat getTime getTimer LN10 LN2 LOG10E LOG2E \n"
    "LoadVars MAX_VALUE MIN_VALUE E NEGATIVE_INFINITY PI POSITIVE_INFINITY SQRT1_2 SQRT2 Selection.getBeginIndex Selection.getCaretIndex \n"
    "Selection.getEndIndex Selection.getFocus Selection.setFocus Selection.\n"
    "setSelection String.fromCharCode __proto__ _global _parent _root getTimezoneOffset getTransform getURL \n"
    "getUTCDate getUTCDay getUTCFullYear getUTCHours getUTCMilliseconds.\n"
    "getUTCMinutes getUTCMonth getUTCSeconds getVersion getVolume getYear \n"
    "globalToLocal gotoAndPlay gotoAndStop hasAccessibility hasAudio \n"
    "hasAudioEncoder hasChildNodes hasMP3 hasVideoEncoder height hitArea \n"
    "hitTest hscroll html htmlText ifFrameLoaded ignoreWhite indent indexOf \n"
    "insertBefore install isActive isDown isFinite isNaN isToggled italic \n"
    "join keyDown keyPress keyUp lastChild lastIndexOf leading leftMargin \n"
    "length lineStyle lineTo list load loadMovie loadMovieNum loadSound \n"
    "loadVariables loadVariablesNum loaded localToGlobal log max maxChars \n"
    "maxhscroll maxscroll min mouseDown mouseMove mouseUp moveTo multiline \n"
    "newline nextFrame nextScene nextSibling nodeName nodeType nodeValue \n"
    "onChanged onClose onConnect onData onDragOut onDragOver onEnterFrame \n"
    "onKeyDown onKeyUp onKillFocus onLoad onMouseDown onMouseMove onMouseUp \n"
    "onPress onRelease onReleaseOutside onResize onRollOut onRollOver \n"
    "onScroller onSetFocus onSoundComplete onUnload onXML parentNode \n"
    "parseFloat parseInt parseXML password pixelAspectRatio play pop position \n"
    "pow press prevFrame prevScene previousSibling print printAsBitmap \n"
    "printAsBitmapNum printNum prototype push random registerClass release \n"
    "releaseOutside removeListener removeMovieClip removeNode removeTextField \n"
    "replaceSel restrict reverse rightMargin rollOut rollOver round scaleMode \n"
    "screenColor screenDPI screenResolutionX screenResolutionY scroll \n"
    "selectable send sendAndLoad set setDate setFullYear setHours setInterval \n"
    "setMask setMilliseconds setMinutes setMonth setNewTextFormat setPan \n"
    "setProperty setRGB setSeconds setTextFormat setTime setTransform \n"
    "END ENTER ESCAPE ALT CONTROL BACKSPACE LEFT PGDN PGUP HOME INSERT RIGHT \n"
    "SHIFT SPACE DELETEKEY DOWN UP TAB CAPSLOCK\n"
    "hide show\n"
    "setUTCDate setUTCFullYear setUTCHours setUTCMilliseconds setUTCMinutes \n"
    "setUTCMonth setUTCSeconds setVolume setYear shift showMenu sin size slice \n"
    "sort sortOn splice split sqrt start startDrag status stop stopAllSounds \n"
    "stopDrag substr super swapDepths tabChildren tabEnabled tabIndex \n"
    "tabStops tan target targetPath text textColor textHeight textWidth \n"
    "toLowerCase toString toUpperCase toggleHighQuality trackAsMenu type \n"
    "underline unescape uninstall unload unloadMovie unloadMovieNum \n"
    "unshift unwatch updateAfterEvent url useHandCursor valueOf variable watch \n"
    "width wordWrap xmlDecl\n"
    "- Objects and Components\n"
    "Accessibility Arguments Array Boolean Button Color CustomActions Date \n"
    "FCheckBox FComboBox FListBox FPushButton FRadioButton FScrollBar \n"
    "FScrollPane FStyleFormat Key Math Mouse MovieClip Number Object \n"
    "Selection Sound Stage String System TextField TextFormat XML XMLSocket \n"
    "- Properties\n"
    "_alpha _currentframe _droptarget _focusrect _framesloaded _height \n"
    "_highquality _name _quality _rotation _soundbuftime _target _totalframes \n"
    "_url _visible _width _x _xmouse _xscale _y _ymouse _yscale\n"
    "- Functions\n"
    "- Deprecated\n"
    "DataLib add and call chr debug debugListChilds debugXML eq ge gt int le lt \n"
    "mbchr mblength mbord mbsubstring ne not or ord startTime substring \n"
    "tellTarget timer\n"
    "- User set 1:\n"
    "- User set 2:\n"
    "- User set 3:\n"
    "- User set 4:\n";

const char* const kLanguageStyles[][2] = {
    {"keywords", kBlueStyle},
    {"comments", kRedStyle},
    {"strings", kGreyStyle},
    {"identifiers", kBlueStyle},
    {"objects", kSeaStyle},
    {"properties", kBlueStyle},
    {"functions", kGreenStyle},
    {"deprecated", kOrangeStyle},
    {"user1", kOliveStyle},
    {"user2", kOliveStyle},
    {nullptr, nullptr},
};

} // extern "C"

const LineComment kLineComment = {"//", "", false};
