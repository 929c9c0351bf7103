#include "base/ByteWriter.h"

#include "base/Gbk.h"

namespace morvane {

void ByteWriter::WriteFixedString(std::string_view text, std::size_t width) {
    std::size_t length = gbk::SafeCutLength(text, width);
    WriteString(text.substr(0, length));
    WriteZeros(width - length);
}

} // namespace morvane
