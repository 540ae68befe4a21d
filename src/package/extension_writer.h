// Writing the package extension: the counterpart of extension_reader.h.
#pragma once

#include "formats/byte_writer.h"
#include "package/show_extension.h"

namespace showsaver {

// Appends the extension block (magic, version, length, records in order).
void write_show_extension(const ShowExtension& extension, ByteWriter& out);

}  // namespace showsaver
