#include "fourinrow/app/program.h"

int main(int argc, char** argv) {
    return fourinrow::app::RunKolvan32(argc, argv);
}
