#pragma once
// The whole drawing interface in one include.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/bitmap_image.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/object.h"
#include "platform/gdi/types.h"
