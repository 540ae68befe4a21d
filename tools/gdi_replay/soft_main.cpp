// The replay on the software GDI.
#include "platform/soft/soft_gdi.h"
#include "replay.h"

int main(int argc, char** argv) {
  showsaver::SoftGdi gdi;
  return showsaver::gdi_replay::replay_main(gdi, argc, argv);
}
