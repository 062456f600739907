#initclip
#include "shared.as"
/* The gallery shows one picture at a time;
   the arrow keys move between them. */
var pictures = new Array("sea.jpg", 'hill.jpg');
var current = 0;

function show(index) {
    current = (index + pictures.length) % pictures.length;
    loadMovie(pictures[current], _root.frame);
    _root.caption.text = 'Picture ' + (current + 1) + \
        " of " + pictures.length;
}

onClipEvent (keyDown) {
    if (Key.isDown(Key.RIGHT)) { show(current + 1); }
    if (Key.isDown(Key.LEFT)) { show(current - 1); }
    tellTarget ("/frame") { gotoAndPlay(2); }   // deprecated form
    _alpha = Math.min(100, _alpha + 10);
}
#endinitclip
