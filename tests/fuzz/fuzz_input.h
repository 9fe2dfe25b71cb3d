#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/record_decoding.h"
#include "platform/property_list.h"

// The bytes as the content of a file, for the readers that take a path. One file per fuzzing
// process, rewritten for every input, on a memory file system so the disk does not slow the run.
const std::string& inputFile(std::string_view bytes);

// Stops the run, as a crash the fuzzer keeps the input of, when a reader broke its promise.
void require(bool promise);

// A record reader must give the same record as decoding the parsed bytes directly: nothing that
// reading the file adds may change the answer.
template <typename Record, typename Reader>
void checkRecordReader(std::string_view bytes, Reader read) {
  const std::optional<Record> fromFile = read(inputFile(bytes));
  const platform::PropertyListLoad load = platform::parsePropertyList(bytes);
  std::optional<Record> fromBytes;
  try {
    if (load.root) fromBytes = Record::decode(*load.root);
  } catch (const config::DecodingError&) {
  }
  require(fromFile == fromBytes);
}
