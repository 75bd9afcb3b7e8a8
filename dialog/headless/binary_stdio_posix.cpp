// POSIX streams are bytes already.
#include "binary_stdio.h"

void UseBinaryStdio() {}
