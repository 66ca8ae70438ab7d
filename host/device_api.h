#pragma once
// The Device API: everything an application includes.

#include "host/canvas.h"
#include "host/companion.h"
#include "host/file.h"
#include "host/file_chooser.h"
#include "host/lcd.h"
#include "host/mem.h"
#include "host/msg.h"
#include "host/net.h"
#include "host/res.h"
#include "host/snd.h"
#include "host/text.h"
#include "host/types.h"
