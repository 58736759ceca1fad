#include "reports/PageSource.h"

namespace {
// A slice long enough that the loop's own cost does not count.
constexpr int SliceMs = 100;
}  // namespace

void PageSource::finish() {
    while (!layOutFor(SliceMs)) {
    }
}

void PageSource::layOutThrough(int n) {
    while (laidOutPages() <= n && !layOutFor(SliceMs)) {
    }
}

Document PageSource::document() {
    finish();
    Document whole;
    static_cast<DocumentInfo &>(whole) = info();
    whole.pages.reserve(readyPages());
    for (int i = 0; i < readyPages(); ++i) whole.pages.append(page(i));
    return whole;
}
