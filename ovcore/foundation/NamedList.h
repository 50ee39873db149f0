// OV_NAMED_LIST: the keyed container in which every named resource lives.
//
// Entries are addressed by a name (at most 123 bytes, compared exactly and
// case-sensitively) together with a 32-bit id; the same name may occur with
// several ids. Entries keep their insertion order and are found by a linear
// walk. Asking for a missing entry with find-or-create appends a new,
// default-constructed element.
//
// Layout: one doubly linked list of nodes, each node one heap allocation
// holding the 128-byte key and the element side by side. That keeps the
// "key n belongs to value n" pairing by construction and costs one allocation
// per entry (plus whatever T allocates itself); a lookup never allocates.
// Elements are constructed in place and never copied or moved, so their
// addresses stay stable until their entry is removed or the list is cleared.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>

namespace OvCore {

// Modes of OV_NAMED_LIST::Access, as the callers pass them.
enum OV_ACCESS : int { FIND = 1, FIND_OR_CREATE = 2, REMOVE = 3, FIND_NAME = 4 };

// The key of one entry: a zero-terminated name, zero-filled after its end, and an id.
struct OV_NAMED_KEY {
    char name[124];  // zero-terminated, at most kNameCapacity - 1 bytes, zero-filled after its end
    int32_t id;  // told apart from other entries of the same name by this number
};
static_assert(sizeof(OV_NAMED_KEY) == 128, "OV_NAMED_KEY is a fixed 128-byte record");

// A doubly linked list of elements of type T, each under a name and an id.
// Entries keep their order of creation; elements live in the list's nodes, so
// their addresses stay the same until they are removed.
template <class T>
class OV_NAMED_LIST {
    struct Node {
        Node(const OV_NAMED_KEY& k, OV_NAMED_LIST* list) : owner(list), key(k), value() {}
        OV_NAMED_LIST* owner;
        Node* prev = nullptr;
        Node* next = nullptr;
        OV_NAMED_KEY key;
        T value;  // value-initialised: null for pointer elements, T() for classes
    };

public:
    // Names of this many bytes or more are refused.
    static constexpr size_t kNameCapacity = sizeof(OV_NAMED_KEY::name);

    // A position in the list: a node, or the end (no node). Stays valid until
    // its entry is removed or the list is cleared.
    class Iterator {
    public:
        Iterator() = default;  // the end iterator

        // Move to the following / preceding entry; past either end the iterator
        // becomes the end iterator, and on the end iterator nothing happens:
        void Next() {
            if (node_) node_ = node_->next;
        }
        void Prev() {
            if (node_) node_ = node_->prev;
        }
        bool IsEnd() const { return node_ == nullptr; }  // true for the end iterator
        // The element; null for the end iterator.
        T* Value() const { return node_ ? &node_->value : nullptr; }
        // The entry's name and id; null for the end iterator.
        const OV_NAMED_KEY* Key() const { return node_ ? &node_->key : nullptr; }

        // Equal when both stand on the same entry, or both are the end:
        bool operator==(const Iterator& other) const { return node_ == other.node_; }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        friend class OV_NAMED_LIST;
        explicit Iterator(Node* node) : node_(node) {}
        Node* node_ = nullptr;
    };

    OV_NAMED_LIST() = default;
    ~OV_NAMED_LIST() { Clear(); }
    OV_NAMED_LIST(const OV_NAMED_LIST&) = delete;
    OV_NAMED_LIST& operator=(const OV_NAMED_LIST&) = delete;

    // FIND, FIND_OR_CREATE, REMOVE or FIND_NAME (see OV_ACCESS). A null name,
    // a name of kNameCapacity bytes or more, or an unknown mode gives the end
    // iterator and changes nothing. REMOVE always gives the end iterator.
    Iterator Access(int mode, const char* name, int id) {
        if (!IsValidName(name)) return End();
        switch (mode) {
        case FIND: return Iterator(Find(name, id, true));
        case FIND_NAME: return Iterator(Find(name, id, false));
        case FIND_OR_CREATE: return FindOrCreateValid(name, id);
        case REMOVE:
            if (Node* node = Find(name, id, true)) Destroy(node);
            return End();
        default: return End();
        }
    }

    // The entry whose name and id match; appended with a default element when
    // there is none. End when the name is refused or the node cannot be allocated.
    Iterator FindOrCreate(const char* name, int id) {
        if (!IsValidName(name)) return End();
        return FindOrCreateValid(name, id);
    }

    // FindOrCreate, giving the element (null where FindOrCreate gives the end).
    T* Get(const char* name, int id) { return FindOrCreate(name, id).Value(); }

    // Number of entries named `name`, whatever their id; with null, all entries.
    uint32_t Count(const char* name = nullptr) const {
        if (!name) return count_;
        uint32_t matches = 0;
        for (const Node* node = first_; node; node = node->next) {
            if (std::strcmp(node->key.name, name) == 0) ++matches;
        }
        return matches;
    }

    Iterator Begin() { return Iterator(first_); }  // the first entry; End() when the list is empty
    static Iterator End() { return Iterator(); }  // the end iterator (no entry)

    // Grows by at least one whenever entries are added, removed or moved in
    // or out (an element's value changed through an iterator does not count),
    // so a caller that keeps something derived from the entries can tell
    // when to derive it again. Wraps around.
    uint32_t Changes() const { return changes_; }

    // Moves every entry of `other`, in order and without copying an element,
    // to the end of this list; `other` is left empty. Element addresses stay
    // the same. Linear in the entries moved, whatever the size of this list.
    void SpliceBack(OV_NAMED_LIST& other) {
        if (&other == this || !other.first_) return;
        for (Node* node = other.first_; node; node = node->next) node->owner = this;
        other.first_->prev = last_;
        if (last_)
            last_->next = other.first_;
        else
            first_ = other.first_;
        last_ = other.last_;
        count_ += other.count_;
        other.first_ = other.last_ = nullptr;
        other.count_ = 0;
        ++changes_;
        ++other.changes_;
    }

    // Removes the entry at `it` without a lookup and gives the iterator of
    // the entry after it. The end iterator, or one of another list, removes
    // nothing and gives the end.
    Iterator Erase(Iterator it) {
        Node* node = it.node_;
        if (!node || node->owner != this) return End();
        Node* next = node->next;
        Destroy(node);
        return Iterator(next);
    }

    // Destroys every entry. The list is already empty while the elements'
    // destructors run, so a destructor that looks at the list sees it empty.
    void Clear() {
        Node* node = first_;
        first_ = last_ = nullptr;
        count_ = 0;
        ++changes_;
        while (node) {
            Node* next = node->next;
            delete node;
            node = next;
        }
    }

private:
    static bool IsValidName(const char* name) { return name && ::strnlen(name, kNameCapacity) < kNameCapacity; }

    Node* Find(const char* name, int id, bool matchId) const {
        for (Node* node = first_; node; node = node->next) {
            if ((!matchId || node->key.id == id) && std::strcmp(node->key.name, name) == 0) return node;
        }
        return nullptr;
    }

    Iterator FindOrCreateValid(const char* name, int id) {
        if (Node* node = Find(name, id, true)) return Iterator(node);
        OV_NAMED_KEY key;
        std::memset(&key, 0, sizeof key);
        std::memcpy(key.name, name, std::strlen(name));
        key.id = id;
        Node* node = new (std::nothrow) Node(key, this);
        if (!node) return End();
        node->prev = last_;
        if (last_)
            last_->next = node;
        else
            first_ = node;
        last_ = node;
        ++count_;
        ++changes_;
        return Iterator(node);
    }

    void Destroy(Node* node) {
        if (node->prev)
            node->prev->next = node->next;
        else
            first_ = node->next;
        if (node->next)
            node->next->prev = node->prev;
        else
            last_ = node->prev;
        --count_;
        ++changes_;
        delete node;
    }

    Node* first_ = nullptr;
    Node* last_ = nullptr;
    uint32_t count_ = 0;
    uint32_t changes_ = 0;
};

}  // namespace OvCore
