// The video playlist: an Atom feed with Media RSS and YouTube elements.

#include "tests/fuzz/FuzzSupport.h"

#include "feeds/VideoFeed.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    QString error;
    if (const auto entries = VideoFeedReader::read(fuzz::bytes(data, size), &error)) {
        for (const auto& entry : *entries)
            (void)VideoFeedReader::lengthText(entry.duration);
    }
    return 0;
}
