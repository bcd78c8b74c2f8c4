// Crt: the console library the programs use. Delay and KeyPressed.
//
// CrtStart() takes the console (standard input): a terminal is switched so
// keys arrive one at a time, unechoed, with Ctrl+C, Ctrl+Z and Ctrl+\ as
// ordinary keys; its settings come back on every way out (runtime exit hooks),
// with any unread keys discarded. Standard input that is a pipe or a file
// counts any byte as a key; end of input is no key.
#pragma once

#include <cstdint>

// Takes the console. With no usable standard input it writes "No way to get
// the console handle" (or, when a terminal's settings cannot be read, "No way
// to get console screen buffer info") to standard error and exits with 1.
void CrtStart();

// True once a key has been pressed (the key stays unread), false otherwise.
// Never waits.
bool KeyPressed();

// Suspends the calling thread for ms milliseconds.
void Delay(std::uint16_t ms);
