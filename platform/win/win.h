#pragma once
// Windows, messages and timers: everything a program of ours includes.

#include "platform/win/keyboard.h"
#include "platform/win/message.h"
#include "platform/win/types.h"
#include "platform/win/window.h"
