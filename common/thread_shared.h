// Values that the objects of one thread share, counted: the first user of
// a value makes it, the last one to let go frees it. For GDI objects that
// many controls would otherwise each hold (a font, a masked image).
//
//   ThreadShared<V>::Of(same, make)  the entry for which same(value) holds,
//                                    or a new one that make(value) fills
//
// The controls of a thread share, not those of a process: an apartment
// threaded object is called on its own thread, so nothing is locked. The
// thread's list is freed with its last entry, so a thread's exit has
// nothing to run (and no COM object outlives its users).
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pkw {

template <typename V>
class ThreadShared {
public:
    ThreadShared() noexcept = default;
    ThreadShared(ThreadShared&& other) noexcept : node_(std::exchange(other.node_, nullptr)) {}
    ThreadShared& operator=(ThreadShared&& other) noexcept {
        if (this != &other) {
            reset();
            node_ = std::exchange(other.node_, nullptr);
        }
        return *this;
    }
    ThreadShared(const ThreadShared&) = delete;
    ThreadShared& operator=(const ThreadShared&) = delete;
    ~ThreadShared() { reset(); }

    // `same(const V&)` finds an entry; `make(V&)` fills a new one and
    // returns false when it cannot (nothing is kept then). Empty on failure.
    template <typename Same, typename Make>
    static ThreadShared Of(Same&& same, Make&& make) noexcept {
        ThreadShared shared;
        try {
            if (t_nodes) {
                for (Node* n : *t_nodes) {
                    if (same(std::as_const(n->value))) {
                        ++n->users;
                        shared.node_ = n;
                        return shared;
                    }
                }
            }
            auto node = std::make_unique<Node>();
            if (!make(node->value)) return shared;
            if (!t_nodes) t_nodes = new std::vector<Node*>();
            t_nodes->push_back(node.get());
            node->users = 1;
            shared.node_ = node.release();
        } catch (const std::bad_alloc&) {
        }
        return shared;
    }

    const V* get() const noexcept { return node_ ? &node_->value : nullptr; }
    const V* operator->() const noexcept { return get(); }
    explicit operator bool() const noexcept { return node_ != nullptr; }

    void reset() noexcept {
        Node* n = std::exchange(node_, nullptr);
        if (!n || --n->users > 0) return;
        if (t_nodes) {
            std::erase(*t_nodes, n);
            if (t_nodes->empty()) {
                delete t_nodes;
                t_nodes = nullptr;
            }
        }
        delete n;
    }

    // How many values the calling thread shares now.
    static int Count() noexcept { return t_nodes ? static_cast<int>(t_nodes->size()) : 0; }

private:
    struct Node {
        V value;
        int users = 0;
    };
    static inline thread_local std::vector<Node*>* t_nodes = nullptr;
    Node* node_ = nullptr;
};

} // namespace pkw
