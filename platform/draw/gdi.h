// The drawing interface in one include: device contexts, objects, text, painting, blits and pictures.
#pragma once

#include "platform/draw/blit.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdi_objects.h"
#include "platform/draw/gdi_types.h"
#include "platform/draw/image.h"
#include "platform/draw/paint.h"
#include "platform/draw/text.h"
