/* Identifiers of the anchor dialog and its controls, shared by the resource script. */
#pragma once

#define ANCHOR_DIALOG 100

#define ANCHOR_OK 100
#define ANCHOR_CANCEL 101
#define ANCHOR_LINK 102
#define ANCHOR_NAME 103
#define ANCHOR_TITLE 104
#define ANCHOR_CHOOSE 105
#define ANCHOR_LINK_LABEL 120
#define ANCHOR_NAME_LABEL 121
#define ANCHOR_TITLE_LABEL 123
