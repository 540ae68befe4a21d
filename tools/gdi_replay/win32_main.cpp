// The replay on the real GDI.
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_gdi.h"
#include "replay.h"

int main(int argc, char** argv) {
  showsaver::Win32Gdi gdi;
  showsaver::Win32FileSystem files;
  return showsaver::gdi_replay::replay_main(gdi, files, argc, argv);
}
