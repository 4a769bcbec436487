#include "WorldManager.h"

#include "Constants.h"
#include "EventCollision.h"
#include "EventOut.h"
#include "Object.h"
#include "ViewObject.h"

#include <algorithm>

namespace lm {

WorldManager::WorldManager() : view_following(nullptr) {
    setType("WorldManager");
}

WorldManager& WorldManager::getInstance() {
    static WorldManager instance;
    return instance;
}

WorldManager::~WorldManager() = default;

int WorldManager::startUp() {
    objects.clear();
    deletions.clear();
    grid.clear();
    return Manager::startUp();
}

void WorldManager::shutDown() {
    // Each destructor takes its object out of the list, so the front is always the next object in
    // list order; objects that destructors make meanwhile are deleted in their turn.
    while (!objects.empty()) {
        delete objects.front();
    }
    deletions.clear();
    Manager::shutDown();
}

int WorldManager::insertObject(Object* p_object) {
    objects.push_back(p_object);
    grid.add(p_object);
    objectChanged(p_object);
    return 0;
}

int WorldManager::removeObject(Object* p_object) {
    if (p_object == nullptr) {
        return 0;
    }
    // Ids are unique, so the object itself is the entry with its id. Matching the object rather
    // than the id also holds when setId has given two objects one id: the list never keeps a
    // pointer to a destroyed object, and an object that is not in the list changes nothing.
    const auto entry = std::find(objects.begin(), objects.end(), p_object);
    if (entry != objects.end()) {
        objects.erase(entry);
    }
    deletions.erase(std::remove(deletions.begin(), deletions.end(), p_object), deletions.end());
    grid.remove(p_object);
    if (view_following != nullptr && view_following->getId() == p_object->getId()) {
        view_following = nullptr;
    }
    return 0;
}

ObjectList WorldManager::getAllObjects() const {
    return objects;
}

ObjectList WorldManager::objectsOfType(const std::string& object_type) const {
    ObjectList found;
    for (Object* p_object : objects) {
        if (p_object->getType() == object_type) {
            found.push_back(p_object);
        }
    }
    return found;
}

int WorldManager::markForDelete(Object* p_object) {
    if (p_object == nullptr) {
        return -1;
    }
    // Entries of deletions are always alive: an object's destructor takes it out of both lists,
    // even one that marks itself again while it is being destroyed.
    const int id = p_object->getId();
    const bool already_marked =
        std::any_of(deletions.begin(), deletions.end(),
                    [id](const Object* p_marked) { return p_marked->getId() == id; });
    if (!already_marked) {
        deletions.push_back(p_object);
    }
    return 0;
}

void WorldManager::update() {
    // Objects inserted by handlers during the pass are first moved in the next step.
    const std::size_t count = objects.size();
    for (std::size_t i = 0; i < count && i < objects.size(); ++i) {
        Object* p_object = objects[i];
        const Vector position = p_object->getPosition();
        const Vector where = p_object->predictPosition();
        if (where.getX() == position.getX() && where.getY() == position.getY()) {
            continue;
        }
        moveObject(p_object, where);
    }
    deleteMarked();
}

void WorldManager::deleteMarked() {
    // Destructors may mark further objects: they join the back of the queue and are deleted in
    // this same step. Each is deleted exactly once, as each destructor takes its object out of
    // deletions too.
    while (!deletions.empty()) {
        Object* p_object = deletions.front();
        deletions.erase(deletions.begin());
        delete p_object;
    }
}

void WorldManager::draw() {
    // One pass sorts the objects by altitude, keeping list order within each; objects that a
    // drawing makes wait for the next frame.
    for (ObjectList& layer : by_altitude) {
        layer.clear();
    }
    for (Object* p_object : objects) {
        const int altitude = p_object->getAltitude();
        // View objects stand at fixed places on the screen, whatever their box.
        if (altitude >= 0 && altitude <= MAX_ALTITUDE &&
            (boxIntersectsBox(getWorldBox(p_object), view) ||
             dynamic_cast<ViewObject*>(p_object) != nullptr)) {
            by_altitude[static_cast<std::size_t>(altitude)].push_back(p_object);
        }
    }
    for (const ObjectList& layer : by_altitude) {
        for (Object* p_object : layer) {
            p_object->draw();
        }
    }
}

ObjectList WorldManager::getCollisions(const Object* p_object, Vector where) const {
    ObjectList collisions;
    if (p_object == nullptr) {
        return collisions;
    }
    const Box moved_box = getWorldBox(p_object, where);
    // The grid gives the solid objects near the box, unless it cannot tell (a box too large or not
    // at a number): then every object is looked at.
    const bool searched = grid.search(moved_box, nearby);
    for (Object* p_other : searched ? nearby : objects) {
        if (p_other->getId() != p_object->getId() &&
            boxIntersectsBox(moved_box, getWorldBox(p_other)) && p_other->isSolid()) {
            collisions.push_back(p_other);
        }
    }
    return collisions;
}

void WorldManager::objectChanged(const Object* p_object) {
    grid.file(p_object, getWorldBox(p_object), p_object->isSolid());
}

int WorldManager::moveObject(Object* p_object, Vector where) {
    if (p_object == nullptr) {
        return -1;
    }
    if (p_object->isSolid()) {
        bool blocked = false;
        // Every object touched gets its event, even after the move is known to be blocked.
        for (Object* p_other : getCollisions(p_object, where)) {
            EventCollision collision(p_object, p_other, where);
            p_object->eventHandler(&collision);
            p_other->eventHandler(&collision);
            if (p_object->getSolidness() == BLOCKING && p_other->getSolidness() == BLOCKING) {
                blocked = true;
            }
        }
        if (blocked) {
            return -1;
        }
    }

    const Box old_box = getWorldBox(p_object);
    p_object->setPosition(where);
    const Box new_box = getWorldBox(p_object);
    if (boxIntersectsBox(old_box, boundary) && !boxIntersectsBox(new_box, boundary)) {
        EventOut out;
        p_object->eventHandler(&out);
    }

    if (view_following != nullptr && view_following->getId() == p_object->getId()) {
        setViewPosition(p_object->getPosition());
    }
    return 0;
}

bool WorldManager::boxIntersectsBox(Box a, Box b) {
    const auto overlap = [](float a1, float a2, float b1, float b2) {
        return (b1 <= a1 && a1 <= b2) || (a1 <= b1 && b1 <= a2);
    };
    const Vector a_corner = a.getCorner();
    const Vector b_corner = b.getCorner();
    const bool x_overlap = overlap(a_corner.getX(), a_corner.getX() + a.getHorizontal(),
                                   b_corner.getX(), b_corner.getX() + b.getHorizontal());
    const bool y_overlap = overlap(a_corner.getY(), a_corner.getY() + a.getVertical(),
                                   b_corner.getY(), b_corner.getY() + b.getVertical());
    return x_overlap && y_overlap;
}

Box WorldManager::getWorldBox(const Object* p_object) {
    return getWorldBox(p_object, p_object->getPosition());
}

Box WorldManager::getWorldBox(const Object* p_object, Vector where) {
    Box box = p_object->getBox();
    box.setCorner(box.getCorner() + where);
    return box;
}

void WorldManager::setBoundary(Box new_boundary) {
    boundary = new_boundary;
}

Box WorldManager::getBoundary() const {
    return boundary;
}

void WorldManager::setView(Box new_view) {
    view = new_view;
}

Box WorldManager::getView() const {
    return view;
}

void WorldManager::setViewPosition(Vector view_position) {
    // Only the boundary's extents count; its corner is taken as (0, 0). The test against 0 comes
    // last, so a view wider than the world is held at 0.
    const auto clamp = [](float centre, float view_extent, float world_extent) {
        float start = centre - view_extent * 0.5f;
        if (start + view_extent > world_extent) {
            start = world_extent - view_extent;
        }
        if (start < 0) {
            start = 0;
        }
        return start;
    };
    view.setCorner(
        Vector(clamp(view_position.getX(), view.getHorizontal(), boundary.getHorizontal()),
               clamp(view_position.getY(), view.getVertical(), boundary.getVertical())));
}

int WorldManager::setViewFollowing(Object* p_new_view_following) {
    if (p_new_view_following == nullptr) {
        view_following = nullptr;
        return 0;
    }
    const int id = p_new_view_following->getId();
    const bool in_world = std::any_of(objects.begin(), objects.end(), [id](const Object* p_object) {
        return p_object->getId() == id;
    });
    if (!in_world) {
        return -1;
    }
    view_following = p_new_view_following;
    setViewPosition(view_following->getPosition());
    return 0;
}

}  // namespace lm
