// The IDAT chunks of a PNG file inflated whole, for rows that are then
// unfiltered in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/Blocks.h"

// Reads IDAT chunks from the first one's data on (its 8-byte header, length
// and name, already read and given), checks each chunk's CRC and inflates
// their zlib stream (without its Adler-32 sum, as the file's other reading
// skips it) into filtered: exactly height rows of a filter byte and rowBytes
// bytes. read gives up to count bytes, fewer only at the end of the file.
// False on any fault (a damaged or short file, a read that fails, too little
// memory): the caller then reads the file the plain way, which reports it.
// The chunks hold about expected bytes (the file's length), the room first
// taken for them; a chunk longer than that is a fault.
bool InflateIdat(const std::function<std::size_t(std::uint8_t* into, std::size_t count)>& read,
                 const std::uint8_t* firstHeader, std::size_t expected, std::size_t rowBytes, int height,
                 platform::Block<std::uint8_t>& filtered);
