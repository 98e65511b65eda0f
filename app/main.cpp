// The process entry: runs the program and exits with its status.
#include "app/Program.h"

int main() {
    return programMain();
}
