#include "TestZip.h"

#include <zip.h>

namespace TestData {

std::vector<std::uint8_t> zip(const std::vector<ZipEntry> &entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const ZipEntry &e : entries) {
        const zip_int64_t i =
            zip_file_add(archive, e.name.c_str(),
                         zip_source_buffer(archive, e.data.data(), e.data.size(), 0),
                         ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(i), e.method, 0);
    }
    zip_close(archive);
    zip_stat_t st;
    zip_source_stat(buffer, &st);
    zip_source_open(buffer);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(st.size));
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

} // namespace TestData
