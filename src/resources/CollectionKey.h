// The keys of pages ("17k") and texts ("17-5k") in their collections: the
// collections' own allocation-free key.
#pragma once

#include "platform/CollectionKey.h"

using CollectionKey = platform::CollectionKey;
