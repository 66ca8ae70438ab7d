#pragma once
// The data compiler reports through the one diagnostics type of all text
// parsers; these names keep datlib's code short.

#include "codec/diagnostics.h"

namespace datlib {

using codec::Diagnostic;
using codec::Diagnostics;
using codec::Severity;
using codec::SourcePos;

}  // namespace datlib
