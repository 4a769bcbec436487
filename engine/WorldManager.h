#pragma once

#include "Box.h"
#include "CollisionGrid.h"
#include "Constants.h"
#include "Manager.h"
#include "Vector.h"

#include <array>
#include <string>
#include <vector>

namespace lm {

class Object;

/// The world's objects in insertion order. Does not own them.
using ObjectList = std::vector<Object*>;

/// Holds every object of the world and runs the world's part of each pass of the game loop: moves
/// objects under the collision rules, tells them of collisions and of leaving the world, deletes
/// the objects marked for deletion, draws them by altitude, and keeps the view.
class WorldManager : public Manager {
public:
    static WorldManager& getInstance();
    ~WorldManager() override;

    /// Empties both lists without deleting anything; boundary, view and following stay. Returns 0.
    int startUp() override;

    /// Deletes every object in list order, then stops.
    void shutDown() override;

    /// Appends the object; no duplicate check. Returns 0.
    int insertObject(Object* p_object);

    /// Takes the object out of the world (and out of the deletions), keeping the order of the
    /// rest; stops the view following it. Returns 0.
    int removeObject(Object* p_object);

    /// A copy of the list of all objects.
    ObjectList getAllObjects() const;

    /// The objects whose type equals the given one exactly, in list order.
    ObjectList objectsOfType(const std::string& object_type) const;

    /// Has the object deleted at the end of the current (or next) update; marking twice is
    /// harmless. Returns 0; -1 for a null pointer.
    int markForDelete(Object* p_object);

    /// One world step: moves every object that has a velocity, then deletes the marked objects.
    void update();

    /// Draws the objects by altitude, 0 to MAX_ALTITUDE, in list order within an altitude; only
    /// those whose box meets the view.
    void draw();

    /// The solid objects other than p_object that its box, placed at where, would touch, in list
    /// order.
    ObjectList getCollisions(const Object* p_object, Vector where) const;

    /// Objects tell the world when their position, box or solidness changes, so that collision
    /// searches find them where they are.
    void objectChanged(const Object* p_object);

    /// Moves the object to where under the collision rules: 0 when it moved, -1 when blocked.
    int moveObject(Object* p_object, Vector where);

    /// Whether the boxes overlap; touching edges and corners count.
    static bool boxIntersectsBox(Box a, Box b);

    /// The object's box in world cells, at its position or at where.
    static Box getWorldBox(const Object* p_object);
    static Box getWorldBox(const Object* p_object, Vector where);

    void setBoundary(Box new_boundary);
    Box getBoundary() const;

    /// Stored unchanged, with no clamping.
    void setView(Box new_view);
    Box getView() const;

    /// Centres the view on the position, then pushes it back inside the boundary.
    void setViewPosition(Vector view_position);

    /// Makes the view follow the object from now on, centring it at once. nullptr stops following
    /// (returns 0); an object that is not in the world gives -1 and changes nothing.
    int setViewFollowing(Object* p_new_view_following);

private:
    WorldManager();

    /// Deletes the marked objects, including those that destructors mark meanwhile.
    void deleteMarked();

    ObjectList objects;         // every object, in insertion order
    ObjectList deletions;       // objects marked for deletion, each at most once
    CollisionGrid grid;         // the solid objects by where they are
    mutable ObjectList nearby;  // a search's candidates, kept for their room
    std::array<ObjectList, MAX_ALTITUDE + 1>
        by_altitude;         // a drawing's objects, kept for their room
    Box boundary;            // the world's extent; its corner is taken as (0, 0)
    Box view;                // the part of the world that is shown
    Object* view_following;  // the object the view follows, or null
};

}  // namespace lm
