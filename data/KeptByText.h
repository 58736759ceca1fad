#pragma once
// Values kept by a statement's text, at most `limit` of them: when one more is put, the one
// used longest ago is let go. Statements bind the values they compare, so their texts are
// their shapes; the shapes a working day uses stay kept, and a run that makes many shapes
// once each (an import, a test suite) lets go only of those it no longer uses.

#include <QString>
#include <cstddef>
#include <list>
#include <unordered_map>
#include <utility>

template <typename T>
class KeptByText {
public:
    explicit KeptByText(std::size_t limit) : m_limit(limit) {}

    // The value kept for `text`, now the most recently used; nullptr when none is kept.
    T *find(const QString &text) {
        const auto found = m_index.find(text);
        if (found == m_index.end()) return nullptr;
        m_order.splice(m_order.begin(), m_order, found->second);
        return &found->second->second;
    }
    // Takes the value kept for `text` out (a default T when none is kept).
    T take(const QString &text) {
        const auto found = m_index.find(text);
        if (found == m_index.end()) return T();
        T value = std::move(found->second->second);
        m_order.erase(found->second);
        m_index.erase(found);
        return value;
    }
    // Keeps `value` for `text` (replacing what was kept for it) as the most recently used.
    T &put(const QString &text, T value) {
        if (T *kept = find(text)) return *kept = std::move(value);
        if (m_index.size() >= m_limit) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        m_order.emplace_front(text, std::move(value));
        m_index.emplace(text, m_order.begin());
        return m_order.front().second;
    }
    void clear() {
        m_index.clear();
        m_order.clear();
    }
    std::size_t size() const { return m_index.size(); }

private:
    using Entry = std::pair<QString, T>;
    std::size_t m_limit;
    std::list<Entry> m_order;  // most recently used first
    std::unordered_map<QString, typename std::list<Entry>::iterator> m_index;
};
