#pragma once
// A byte stream over a movable memory block (CreateStreamOnHGlobal): image code hands PNG bytes
// held in a block to the graphics library this way.

#include "rtl/Streams.h"
#include "rtl/WinTypes.h"

// Opens a stream on the block; its size is the block's size and writing never grows it. A nil
// block gets a new empty one, which the stream then frees itself. With DeleteOnRelease the block
// is freed when the last reference goes, otherwise it is left to the caller. The stream comes back
// holding one reference (release it, or take it with TInterfacePtr::Attach). E_INVALIDARG when
// Stream is nil. A handle that is not a block reads as empty (the block calls check handles).
HRESULT CreateStreamOnHGlobal(HGLOBAL Global, BOOL DeleteOnRelease, IStream** Stream);
