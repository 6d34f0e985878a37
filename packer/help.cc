#include "packer/help.h"

#include <cstdio>
#include <cstdlib>

namespace morphon {
namespace {

constexpr char kVersion[] = "v1 SEPT 2023";

void PrintIntroduction() {
  std::printf("Morphon version: %s \n\n", kVersion);
  std::printf("Morphon help:\n");
  std::printf(
      "Morphon packages a list of TMD vertices (and optionally normal data)\n in a MORPHON.PCK "
      "file.\n");
  std::printf(
      "It must be run in a folder where all the current frames (TMD files)\n are ordered from "
      "first to last. \n");
}

void PrintUsage() {
  std::printf("\n");
  std::printf("Morphon usage: \n");
  std::printf("Options are not case sensitive, example: \n morphon -T2 -L -MM -V  \n");
  std::printf("\n");
  std::printf("-T# Number of interpolated tweens (in between) frames. \n");
  std::printf("-L  Loops back, animation repeats.\n");
  std::printf("-NN No Normals - no normal data is stored (recommended). \n");
  std::printf("-MM Min Max - 2 3D points (SVECTOR) for each frame, in text & binary files. \n");
  std::printf("-V  Verbose, help, debugging mode.\n\n\n");
  std::printf("\nOutput is a MORPHON.PCK file, optional MinMax .mm & .txt files\n");
}

void PrintTips() {
  std::printf("\n");
  std::printf("Tips:\n");
  std::printf("Create a new folder for each animation pck.\n");
  std::printf("Put all TMD frames there, in alpha-num order.\n");
  std::printf("Rename output files and move to project, delete anim folder... repeat\n");
  std::printf("The animation files only contain verts (and sometimes normals - very big data!)\n");
  std::printf("Animation on the PSX requires a single original TMD file for all anim pcks.\n");
  std::printf("The single TMD is used to reference face and/or normal data.\n");
}

void PrintClosing() {
  std::printf("\n");
  std::printf("For more info see the verbose, code and the DE zoduzo.\n");
  std::printf("Or ask at https://chat.example.org/psx-hobby-dev \n");
}

void WaitForEnter() {
  std::printf("\nHit enter...\n");
  std::fflush(stdout);
  std::getchar();
}

}  // namespace

void show_help(const char* message) {
  PrintIntroduction();
  if (message == nullptr) {
    WaitForEnter();
  }
  PrintUsage();
  if (message == nullptr) {
    WaitForEnter();
  }
  PrintTips();
  if (message == nullptr) {
    WaitForEnter();
  }
  PrintClosing();
  if (message != nullptr) {
    std::printf("\nERROR: \n%s\n", message);
  }
  std::fflush(stdout);
  std::exit(message == nullptr ? 0 : 1);
}

}  // namespace morphon
