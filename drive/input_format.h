#pragma once
// The way back from a message to a line of scripted input: the shortest
// command (key NAME, keyup NAME, type C) that gives exactly that message
// again, else `post MSG WPARAM LPARAM`. A recording writes its lines so.

#include <string>
#include <vector>

#include "drive/input_commands.h"

namespace drive {

// The command and its arguments, without a time: "key Enter",
// "post 513 1 0x00070005".
std::string FormatInput(const InputMessage& message);

// The messages of a command line split at blanks ("key Enter"); false with
// `error` set as InputCommandMessages does.
bool InputLineMessages(const std::string& line, std::vector<InputMessage>* out,
                       std::string* error);

}  // namespace drive
