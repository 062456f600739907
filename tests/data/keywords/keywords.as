#endinitclip #include #initclip Infinity NaN break case continue default 
delete do else false for function if in instanceof new newLine null on 
onClipEvent return switch this true typeof undefined var void while with
- Identifiers
abs acos addListener addProperty align 
appendChild apply callee caller asin atan atan2 
attachMovie attachSound attributes autoSize background backgroundColor 
beginFill beginGradientFill bold border borderColor bottomScroll bullet 
UTC capabilities ceil charAt charCodeAt childNodes clear clearInterval cloneNode close color 
concat connect contentType cos createElement createEmptyMovieClip 
createTextField createTextNode curveTo data docTypeDecl dragOut dragOver 
duplicateMovieClip duration embedFonts enabled endFill enterFrame 
escape eval exp firstChild floor focusEnabled font fscommand get getAscii 
getBounds getBytesLoaded getBytesTotal getCode getDate getDay getDepth 
getFontList getFullYear getHours getMilliseconds getMinutes getMonth 
getNewTextFormat getPan getProperty getRGB getSeconds getTextExtent 
getTextFormat getTime getTimer LN10 LN2 LOG10E LOG2E 
LoadVars MAX_VALUE MIN_VALUE E NEGATIVE_INFINITY PI POSITIVE_INFINITY SQRT1_2 SQRT2 Selection.getBeginIndex Selection.getCaretIndex 
Selection.getEndIndex Selection.getFocus Selection.setFocus Selection.
setSelection String.fromCharCode __proto__ _global _parent _root getTimezoneOffset getTransform getURL 
getUTCDate getUTCDay getUTCFullYear getUTCHours getUTCMilliseconds.
getUTCMinutes getUTCMonth getUTCSeconds getVersion getVolume getYear 
globalToLocal gotoAndPlay gotoAndStop hasAccessibility hasAudio 
hasAudioEncoder hasChildNodes hasMP3 hasVideoEncoder height hitArea 
hitTest hscroll html htmlText ifFrameLoaded ignoreWhite indent indexOf 
insertBefore install isActive isDown isFinite isNaN isToggled italic 
join keyDown keyPress keyUp lastChild lastIndexOf leading leftMargin 
length lineStyle lineTo list load loadMovie loadMovieNum loadSound 
loadVariables loadVariablesNum loaded localToGlobal log max maxChars 
maxhscroll maxscroll min mouseDown mouseMove mouseUp moveTo multiline 
newline nextFrame nextScene nextSibling nodeName nodeType nodeValue 
onChanged onClose onConnect onData onDragOut onDragOver onEnterFrame 
onKeyDown onKeyUp onKillFocus onLoad onMouseDown onMouseMove onMouseUp 
onPress onRelease onReleaseOutside onResize onRollOut onRollOver 
onScroller onSetFocus onSoundComplete onUnload onXML parentNode 
parseFloat parseInt parseXML password pixelAspectRatio play pop position 
pow press prevFrame prevScene previousSibling print printAsBitmap 
printAsBitmapNum printNum prototype push random registerClass release 
releaseOutside removeListener removeMovieClip removeNode removeTextField 
replaceSel restrict reverse rightMargin rollOut rollOver round scaleMode 
screenColor screenDPI screenResolutionX screenResolutionY scroll 
selectable send sendAndLoad set setDate setFullYear setHours setInterval 
setMask setMilliseconds setMinutes setMonth setNewTextFormat setPan 
setProperty setRGB setSeconds setTextFormat setTime setTransform 
END ENTER ESCAPE ALT CONTROL BACKSPACE LEFT PGDN PGUP HOME INSERT RIGHT 
SHIFT SPACE DELETEKEY DOWN UP TAB CAPSLOCK
hide show
setUTCDate setUTCFullYear setUTCHours setUTCMilliseconds setUTCMinutes 
setUTCMonth setUTCSeconds setVolume setYear shift showMenu sin size slice 
sort sortOn splice split sqrt start startDrag status stop stopAllSounds 
stopDrag substr super swapDepths tabChildren tabEnabled tabIndex 
tabStops tan target targetPath text textColor textHeight textWidth 
toLowerCase toString toUpperCase toggleHighQuality trackAsMenu type 
underline unescape uninstall unload unloadMovie unloadMovieNum 
unshift unwatch updateAfterEvent url useHandCursor valueOf variable watch 
width wordWrap xmlDecl
- Objects and Components
Accessibility Arguments Array Boolean Button Color CustomActions Date 
FCheckBox FComboBox FListBox FPushButton FRadioButton FScrollBar 
FScrollPane FStyleFormat Key Math Mouse MovieClip Number Object 
Selection Sound Stage String System TextField TextFormat XML XMLSocket 
- Properties
_alpha _currentframe _droptarget _focusrect _framesloaded _height 
_highquality _name _quality _rotation _soundbuftime _target _totalframes 
_url _visible _width _x _xmouse _xscale _y _ymouse _yscale
- Functions
- Deprecated
DataLib add and call chr debug debugListChilds debugXML eq ge gt int le lt 
mbchr mblength mbord mbsubstring ne not or ord startTime substring 
tellTarget timer
- User set 1:
- User set 2:
- User set 3:
- User set 4:
