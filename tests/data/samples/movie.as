// Move the clip with the mouse
var speed = 4;
onClipEvent (enterFrame) {
    _x += (_xmouse - _x) / speed;
    trace("at " + _x);
}
