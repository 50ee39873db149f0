#include "ovcore/world/ActorRegistry.h"

#include "ovcore/world/Actor.h"
#include "ovcore/world/View.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace OvCore {

namespace {

// Takes the first entry out of list. The first entry is also the first one
// a removal by its key finds, so this costs no walk.
bool TakeFirst(OV_NAMED_LIST<OV_ACTOR*>& list, OV_NAMED_KEY* key, OV_ACTOR** actor) {
    OV_NAMED_LIST<OV_ACTOR*>::Iterator first = list.Begin();
    if (first.IsEnd()) return false;
    *key = *first.Key();
    *actor = *first.Value();
    list.Access(REMOVE, key->name, key->id);
    return true;
}

// Whether a belongs before b: larger depths first, not-a-number last.
bool ShouldPrecede(float a, float b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a > b;
}

}  // namespace

void ForgetViewTarget(OV_NAMED_LIST<OV_VIEW>& views, const OV_ACTOR* actor) {
    for (auto it = views.Begin(); !it.IsEnd(); it.Next())
        if (it.Value()->target == actor) it.Value()->target = nullptr;
}

OV_ACTOR_REGISTRY::~OV_ACTOR_REGISTRY() {
    OV_NAMED_LIST<OV_VIEW> noViews;
    ClearActors(noViews);
}

int32_t OV_ACTOR_REGISTRY::TakeActorId() {
    if (nextActorId == -1) nextActorId = 0;
    const int32_t id = nextActorId;
    nextActorId = static_cast<int32_t>(static_cast<uint32_t>(id) + 1u);
    return id;
}

bool OV_ACTOR_REGISTRY::SpawnActor(const char* className, OV_ACTOR* actor) {
    if (!actor) return false;
    OV_ACTOR** slot = pendingActors.Get(className, TakeActorId());
    if (!slot || *slot) return false;
    *slot = actor;
    return true;
}

void OV_ACTOR_REGISTRY::KillActor(OV_ACTOR* actor) {
    if (actor) deadActors.push_back(actor);
}

uint32_t OV_ACTOR_REGISTRY::CountActors(const char* name) const { return name ? actors.Count(name) : 0; }

// A bidirectional bubble sort: forward and backward passes that swap only
// neighbours strictly out of order, until a round swaps nothing. Equal
// depths therefore keep their order. The list has no reordering operation,
// so the entries are sorted in a scratch array and written back, each key
// travelling with its actor.
void OV_ACTOR_REGISTRY::SortActorsByDepth() {
    sortScratch_.clear();
    for (auto it = actors.Begin(); !it.IsEnd(); it.Next()) sortScratch_.push_back({*it.Key(), *it.Value()});
    auto outOfOrder = [this](size_t earlier) {
        const OV_ACTOR* a = sortScratch_[earlier].actor;
        const OV_ACTOR* b = sortScratch_[earlier + 1].actor;
        return a && b && ShouldPrecede(b->depth, a->depth);
    };
    size_t low = 0, high = sortScratch_.size();
    bool swapped = high > 1;
    while (swapped && low + 1 < high) {
        swapped = false;
        for (size_t i = low; i + 1 < high; ++i)
            if (outOfOrder(i)) std::swap(sortScratch_[i], sortScratch_[i + 1]), swapped = true;
        --high;  // the last of the range is in place
        for (size_t i = high; i-- > low + 1;)
            if (outOfOrder(i - 1)) std::swap(sortScratch_[i - 1], sortScratch_[i]), swapped = true;
        ++low;  // and so is the first
    }
    size_t index = 0;
    for (auto it = actors.Begin(); !it.IsEnd(); it.Next(), ++index) {
        // The node's key is an ordinary member; the list merely hands it out
        // read-only. Exchanging whole keys keeps every key unique.
        std::memcpy(const_cast<OV_NAMED_KEY*>(it.Key()), &sortScratch_[index].key, sizeof(OV_NAMED_KEY));
        *it.Value() = sortScratch_[index].actor;
    }
    ++reorders_;
}

void OV_ACTOR_REGISTRY::MergePendingActors() { actors.SpliceBack(pendingActors); }

void OV_ACTOR_REGISTRY::UnlinkDead() {
    unlinkedScratch_.clear();
    for (auto it = actors.Begin(); !it.IsEnd();) {
        OV_ACTOR* actor = *it.Value();
        if (actor && std::binary_search(deadScratch_.begin(), deadScratch_.end(), actor)) {
            unlinkedScratch_.push_back(actor);
            it = actors.Erase(it);
        } else {
            it.Next();
        }
    }
    std::sort(unlinkedScratch_.begin(), unlinkedScratch_.end());
}

void OV_ACTOR_REGISTRY::ReapDeadActors(OV_NAMED_LIST<OV_VIEW>& views) {
    // In batches: an OnDestroy may list further actors, which are reaped too.
    size_t begin = 0;
    while (begin < deadActors.size()) {
        const size_t end = deadActors.size();
        deadScratch_.assign(deadActors.begin() + static_cast<std::ptrdiff_t>(begin),
                            deadActors.begin() + static_cast<std::ptrdiff_t>(end));
        std::sort(deadScratch_.begin(), deadScratch_.end());
        UnlinkDead();
        deletedScratch_.assign(unlinkedScratch_.size(), 0);
        for (size_t i = begin; i < end; ++i) {
            OV_ACTOR* dead = deadActors[i];
            auto found = std::lower_bound(unlinkedScratch_.begin(), unlinkedScratch_.end(), dead);
            if (found == unlinkedScratch_.end() || *found != dead) continue;
            char& deleted = deletedScratch_[static_cast<size_t>(found - unlinkedScratch_.begin())];
            if (deleted) continue;
            deleted = 1;
            ForgetViewTarget(views, dead);
            dead->OnDestroy(0);
            delete dead;
        }
        begin = end;
    }
    deadActors.clear();
}

void OV_ACTOR_REGISTRY::ClearActors(OV_NAMED_LIST<OV_VIEW>& views) {
    OV_NAMED_KEY key;
    OV_ACTOR* actor = nullptr;
    while (TakeFirst(actors, &key, &actor)) {
        if (!actor) continue;
        ForgetViewTarget(views, actor);
        actor->OnDestroy(0);
        delete actor;
    }
    while (TakeFirst(pendingActors, &key, &actor)) {
        ForgetViewTarget(views, actor);
        delete actor;
    }
    deadActors.clear();
}

}  // namespace OvCore
