#pragma once

#include <atomic>

// Whether a file request of the web server is being answered. It is one
// flag, not a counter and not a lock: every file request sets it when it
// starts and clears it when it ends, and the web image step only tests it,
// skipping the rewrite of noise.jpg for that sample while it is set. So with
// overlapping requests the first to end clears it for all. Requests run on
// the server's threads, the step on the user-interface thread.
class WebServing {
public:
    void set() { m_flag.store(true); }
    void clear() { m_flag.store(false); }
    bool isSet() const { return m_flag.load(); }

private:
    std::atomic<bool> m_flag { false };
};

// Sets the flag for as long as it lives, so every way out of a request
// clears it.
class WebServingScope {
public:
    explicit WebServingScope(WebServing &serving) : m_serving(serving) { m_serving.set(); }
    ~WebServingScope() { m_serving.clear(); }
    WebServingScope(const WebServingScope &) = delete;
    WebServingScope &operator=(const WebServingScope &) = delete;

private:
    WebServing &m_serving;
};
