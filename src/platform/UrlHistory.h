// The browser's URL history store (CUrlHistory through IUrlHistoryStg2).
#pragma once

namespace vp {

class UrlHistory {
public:
    virtual ~UrlHistory() = default;
    // Creates the history object and calls ClearHistory; false when either fails.
    virtual bool clearHistory() = 0;
};

} // namespace vp
