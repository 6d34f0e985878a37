// morphon: packs the TMD frames of the current folder into MORPHON.PCK.
#include <new>

#include "packer/error_exit.h"
#include "packer/help.h"
#include "packer/run_packer.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    morphon::show_help(nullptr);
  }
  try {
    morphon::RunPacker(argc, argv);
  } catch (const morphon::RunError& error) {
    return morphon::FinishFailedRun(error);
  } catch (const std::bad_alloc&) {
    return morphon::FinishFailedRun(morphon::RunError{"out of memory", std::nullopt});
  }
  return 0;
}
