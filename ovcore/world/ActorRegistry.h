// OV_ACTOR_REGISTRY: the world's actors, their creation and deletion.
#pragma once

#include "ovcore/foundation/NamedList.h"

#include <cstdint>
#include <vector>

namespace OvCore {

class OV_ACTOR;
struct OV_VIEW;

// The actors of the world and their life: created actors wait in
// pendingActors, are merged into actors at the end of the frame, and those
// listed in deadActors are reaped after that. Both keyed lists hold
// (class name, TakeActorId()) keys in insertion order; the registry owns
// every actor in them and deletes each once.
class OV_ACTOR_REGISTRY {
public:
    int32_t nextActorId = 0;  // the next id TakeActorId gives
    OV_NAMED_LIST<OV_ACTOR*> actors;  // live actors, in update and drawing order
    OV_NAMED_LIST<OV_ACTOR*> pendingActors;  // spawned this frame; merged into actors at its end
    // Actors to delete this frame; the same actor may be listed repeatedly.
    std::vector<OV_ACTOR*> deadActors;

    OV_ACTOR_REGISTRY() = default;
    ~OV_ACTOR_REGISTRY();
    OV_ACTOR_REGISTRY(const OV_ACTOR_REGISTRY&) = delete;
    OV_ACTOR_REGISTRY& operator=(const OV_ACTOR_REGISTRY&) = delete;

    // The next id; a stored -1 counts as 0.
    int32_t TakeActorId();
    // Puts actor into pendingActors under (className, TakeActorId()). On
    // false (null actor, refused name, no memory) the caller keeps it.
    bool SpawnActor(const char* className, OV_ACTOR* actor);
    // Lists actor for deletion at the end of this frame.
    void KillActor(OV_ACTOR* actor);
    // Live actors whose key name is name (0 for null).
    uint32_t CountActors(const char* name) const;
    // Stable reorder so that depth never increases along actors; a depth
    // that is not a number counts as below every other.
    void SortActorsByDepth();
    // Grows whenever actors gains, loses or reorders entries (through the
    // list's own operations or SortActorsByDepth); wraps around.
    uint32_t ActorsChanged() const { return actors.Changes() + reorders_; }

    // Moves every pending entry to the end of actors, keys and all, without
    // a lookup: the cost is the number of pending actors, not of live ones.
    // Nothing is replaced, so a key that is already live is simply there twice.
    void MergePendingActors();
    // Deletes each listed actor that is live (OnDestroy(0) first, in the
    // order of deadActors, each once), clears the views that follow it, and
    // empties deadActors. One walk over actors per batch of dead actors.
    void ReapDeadActors(OV_NAMED_LIST<OV_VIEW>& views);
    // Every live actor gets OnDestroy(0) and is deleted, in order; pending
    // actors are deleted without it; the views following any lose it.
    void ClearActors(OV_NAMED_LIST<OV_VIEW>& views);

private:
    struct SortEntry {
        OV_NAMED_KEY key;
        OV_ACTOR* actor;
    };
    std::vector<SortEntry> sortScratch_;
    uint32_t reorders_ = 0;
    // Reused from frame to frame by the reap: the dead actors of a batch in
    // pointer order, the live ones among them unlinked, and which of those
    // were deleted already.
    std::vector<OV_ACTOR*> deadScratch_;
    std::vector<OV_ACTOR*> unlinkedScratch_;
    std::vector<char> deletedScratch_;

    // Unlinks from actors every entry whose actor is in deadScratch_,
    // collecting them (sorted) in unlinkedScratch_.
    void UnlinkDead();
};

// Clears the target of every view that follows actor.
void ForgetViewTarget(OV_NAMED_LIST<OV_VIEW>& views, const OV_ACTOR* actor);

}  // namespace OvCore
