#include "video_files.h"

#include <ogg/ogg.h>

#include <cstring>
#include <map>
#include <vector>

namespace video_test {

const std::string& TestVideo() {
    static const std::string video = EncodeTestVideo();
    return video;
}

std::string RewritePages(const std::string& file, const std::function<void(int, int, std::string&)>& edit) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(file.size()));
    std::memcpy(buffer, file.data(), file.size());
    ogg_sync_wrote(&sync, static_cast<long>(file.size()));
    std::string out;
    std::map<int, int> counts;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        const int serial = ogg_page_serialno(&page);
        std::string header(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        std::string body(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        const size_t length = body.size();
        edit(serial, counts[serial]++, body);
        body.resize(length);  // the lacing values keep the length
        ogg_page changed;
        changed.header = reinterpret_cast<unsigned char*>(header.data());
        changed.header_len = static_cast<long>(header.size());
        changed.body = reinterpret_cast<unsigned char*>(body.data());
        changed.body_len = static_cast<long>(body.size());
        ogg_page_checksum_set(&changed);
        out += header + body;
    }
    ogg_sync_clear(&sync);
    return out;
}

std::vector<size_t> PageStarts(const std::string& file) {
    std::vector<size_t> starts;
    for (size_t at = file.find("OggS"); at != std::string::npos; at = file.find("OggS", at + 1)) starts.push_back(at);
    return starts;
}

}  // namespace video_test
