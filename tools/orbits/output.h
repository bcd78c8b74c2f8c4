// Output: a tool's standard output through one fixed buffer.
//
// The buffer is flushed by an exit hook too, so that what was written before a
// run-time error stop reaches standard output ahead of the report.
#pragma once

#include <cstddef>

namespace output {

void Start();  // registers the flush on every way out
void Write(const char* text, std::size_t length);
void Put(char c);
void Flush();
// Flushes; 0 when everything reached standard output, else says why and gives 1.
int Finish();

}  // namespace output
