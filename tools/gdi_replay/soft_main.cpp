// The replay on the software GDI.
#include "platform/posix/posix_file_system.h"
#include "platform/soft/soft_gdi.h"
#include "replay.h"

int main(int argc, char** argv) {
  showsaver::SoftGdi gdi;
  showsaver::PosixFileSystem files;
  return showsaver::gdi_replay::replay_main(gdi, files, argc, argv);
}
