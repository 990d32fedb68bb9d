#pragma once

#include <cstddef>
#include <cstdint>

namespace traxilo::fuzz {

// Each target reads one input of arbitrary bytes through one of the readers
// of files that come from outside, and checks what must hold for any input;
// a broken rule aborts with its reason, so libFuzzer and the corpus replay
// both report it. They return 0, as libFuzzer wants.
using Entry = int (*)(const std::uint8_t* data, std::size_t size);

int aviHeader(const std::uint8_t* data, std::size_t size);     // ReadAviHeader, CodecName
int shellLink(const std::uint8_t* data, std::size_t size);     // ParseShellLink
int session(const std::uint8_t* data, std::size_t size);       // readSession, writeSession
int configFile(const std::uint8_t* data, std::size_t size);    // txconfig.txt at start-up
int numberParsing(const std::uint8_t* data, std::size_t size); // the typed number fields

// Stops the program with `what` when `holds` is false.
void check(bool holds, const char* what);

// Qt's warnings (a seek past the end...) would flood the fuzzer's output.
void silenceQtMessages();

} // namespace traxilo::fuzz
