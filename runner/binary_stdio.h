// Script input and output are bytes; where the C library translates line ends, stop it.
#ifndef ODDSMITH_RUNNER_BINARY_STDIO_H
#define ODDSMITH_RUNNER_BINARY_STDIO_H

void UseBinaryStdio();

#endif
