#ifndef CHANNELLIST_H
#define CHANNELLIST_H

#include "core/liststatistics.h"

#include <iterator>
#include <memory>
#include <vector>

// The channels of one reception source. Each channel is allocated on its own, so its address stays fixed
// while it is in the list: table rows and undo commands keep plain pointers to it. Copying a list copies
// every channel (value semantics); nothing is ever shared between two lists.
template <typename T> class ChannelList {
    using Storage = std::vector<std::unique_ptr<T>>;

public:
    template <typename Ptr, typename Ref, typename BaseIt> class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Ptr;
        using reference = Ref;

        Iterator() = default;
        explicit Iterator(BaseIt it) : m_it(it) {}
        Ref operator*() const { return **m_it; }
        Ptr operator->() const { return m_it->get(); }
        Iterator &operator++() {
            ++m_it;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++m_it;
            return old;
        }
        Iterator &operator--() {
            --m_it;
            return *this;
        }
        Iterator &operator+=(difference_type n) {
            m_it += n;
            return *this;
        }
        Iterator operator+(difference_type n) const { return Iterator(m_it + n); }
        difference_type operator-(const Iterator &o) const { return m_it - o.m_it; }
        bool operator==(const Iterator &o) const { return m_it == o.m_it; }
        bool operator!=(const Iterator &o) const { return m_it != o.m_it; }
        bool operator<(const Iterator &o) const { return m_it < o.m_it; }

    private:
        BaseIt m_it;
    };
    using iterator = Iterator<T *, T &, typename Storage::iterator>;
    using const_iterator = Iterator<const T *, const T &, typename Storage::const_iterator>;

    ChannelList() = default;
    ChannelList(const ChannelList &other) { copyFrom(other); }
    ChannelList &operator=(const ChannelList &other) {
        if (this != &other) {
            m_items.clear();
            copyFrom(other);
        }
        return *this;
    }
    ChannelList(ChannelList &&) noexcept = default;
    ChannelList &operator=(ChannelList &&) noexcept = default;

    int size() const { return static_cast<int>(m_items.size()); }
    int count() const { return size(); }
    bool isEmpty() const { return m_items.empty(); }

    T &operator[](int i) { return *m_items[static_cast<size_t>(i)]; }
    const T &operator[](int i) const { return *m_items[static_cast<size_t>(i)]; }
    const T &at(int i) const { return (*this)[i]; }
    // The channel's stable address; stays valid until the channel is erased or the list is destroyed.
    T *channelAt(int i) { return m_items[static_cast<size_t>(i)].get(); }
    const T *channelAt(int i) const { return m_items[static_cast<size_t>(i)].get(); }

    // Appends a copy and returns the stored channel.
    T &append(const T &channel) {
        m_items.push_back(std::make_unique<T>(channel));
        return *m_items.back();
    }
    // Erasing frees the channel: only at load and merge time, before any table points into the list.
    void erase(int i) { m_items.erase(m_items.begin() + i); }
    void clear() { m_items.clear(); }
    void reserve(int n) { m_items.reserve(static_cast<size_t>(n)); }

    // Index of the channel at this address, or -1.
    int indexOf(const T *channel) const {
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i].get() == channel)
                return static_cast<int>(i);
        }
        return -1;
    }

    iterator begin() { return iterator(m_items.begin()); }
    iterator end() { return iterator(m_items.end()); }
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

    ListStatistics statistics() const {
        ListStatistics stats;
        for (const auto &item : m_items)
            stats.add(*item);
        return stats;
    }

    // Equal when both hold equal channels in the same order.
    bool operator==(const ChannelList &o) const {
        if (m_items.size() != o.m_items.size())
            return false;
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (!(*m_items[i] == *o.m_items[i]))
                return false;
        }
        return true;
    }
    bool operator!=(const ChannelList &o) const { return !(*this == o); }

private:
    void copyFrom(const ChannelList &other) {
        m_items.reserve(other.m_items.size());
        for (const auto &item : other.m_items)
            m_items.push_back(std::make_unique<T>(*item));
    }

    Storage m_items;
};

#endif
