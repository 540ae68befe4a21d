// The settings dialog's resource and control numbers, shared by the resource
// script and the dialog procedure.  Plain #defines: the resource compiler
// reads this file too.
#pragma once

#define IDD_SETTINGS 200
#define IDC_MUSIC_ON 201
#define IDC_MUSIC_OFF 202
#define IDC_SOUNDS_ON 203
#define IDC_SOUNDS_OFF 204
#define IDC_MUSIC_FRAME 205
#define IDC_SOUNDS_FRAME 206
