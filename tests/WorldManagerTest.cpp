#include "engine/WorldManager.h"

#include "TestSupport.h"
#include "engine/Constants.h"
#include "engine/Object.h"

namespace {

using lm::Box;
using lm::Vector;
using lm_test::Journal;
using lm_test::Recorder;

class WorldManagerTest : public lm_test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // Room enough that no test object leaves the world unless a test means it to.
        world.setBoundary(Box(Vector(0, 0), 200, 200));
    }

    /// A recorder standing at a position with a solidness.
    Recorder* place(const std::string& type, Vector position, lm::Solidness solidness) {
        auto* p_recorder = new Recorder(type, journal);
        p_recorder->setPosition(position);
        p_recorder->setSolidness(solidness);
        return p_recorder;
    }

    Journal journal;
    lm::WorldManager& world = lm::WorldManager::getInstance();
};

TEST_F(WorldManagerTest, BlockingMoverStopsNextToBlockingObjectAndBothHearOfIt) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::BLOCKING);
    place("Wall", Vector(2, 0), lm::BLOCKING);
    p_mover->setVelocity(Vector(1, 0));

    world.update();  // (1, 0) would touch the wall
    EXPECT_EQ(p_mover->getPosition(), Vector(0, 0));
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Wall at (1, 0)",
                                "Wall:lm::collision Mover>Wall at (1, 0)"}));
}

TEST_F(WorldManagerTest, EveryTouchedObjectHearsOfABlockedMove) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::BLOCKING);
    place("Bush", Vector(1, 1), lm::NONBLOCKING);
    place("Ghost", Vector(1, 0), lm::INTANGIBLE);
    place("Rock", Vector(2, 0), lm::BLOCKING);

    EXPECT_EQ(world.moveObject(p_mover, Vector(1, 0)), -1);
    EXPECT_EQ(p_mover->getPosition(), Vector(0, 0));
    EXPECT_EQ(journal, (Journal{"Mover:lm::collision Mover>Bush at (1, 0)",
                                "Bush:lm::collision Mover>Bush at (1, 0)",
                                "Mover:lm::collision Mover>Rock at (1, 0)",
                                "Rock:lm::collision Mover>Rock at (1, 0)"}));
}

TEST_F(WorldManagerTest, NonBlockingObjectsLetEveryMoverThrough) {
    auto* p_blocking = place("Hero", Vector(0, 0), lm::BLOCKING);
    auto* p_nonblocking = place("Arrow", Vector(0, 5), lm::NONBLOCKING);
    place("Grass", Vector(1, 0), lm::NONBLOCKING);
    place("Boulder", Vector(1, 5), lm::BLOCKING);

    EXPECT_EQ(world.moveObject(p_blocking, Vector(1, 0)), 0);
    EXPECT_EQ(p_blocking->getPosition(), Vector(1, 0));
    EXPECT_EQ(world.moveObject(p_nonblocking, Vector(1, 5)), 0);  // through a blocking one, too
    EXPECT_EQ(p_nonblocking->getPosition(), Vector(1, 5));
    EXPECT_EQ(journal, (Journal{"Hero:lm::collision Hero>Grass at (1, 0)",
                                "Grass:lm::collision Hero>Grass at (1, 0)",
                                "Arrow:lm::collision Arrow>Boulder at (1, 5)",
                                "Boulder:lm::collision Arrow>Boulder at (1, 5)"}));
}

TEST_F(WorldManagerTest, IntangibleMoverPassesThroughEverythingUnheard) {
    auto* p_ghost = place("Ghost", Vector(0, 0), lm::INTANGIBLE);
    place("Wall", Vector(1, 0), lm::BLOCKING);
    EXPECT_EQ(world.moveObject(p_ghost, Vector(1, 0)), 0);
    EXPECT_EQ(p_ghost->getPosition(), Vector(1, 0));
    EXPECT_TRUE(journal.empty());
}

TEST_F(WorldManagerTest, ObjectsWithoutVelocityNeverCollideThroughUpdate) {
    place("A", Vector(0, 0), lm::BLOCKING);
    place("B", Vector(0, 0), lm::BLOCKING);  // overlapping, both still
    world.update();
    EXPECT_TRUE(journal.empty());
}

TEST_F(WorldManagerTest, MoveUsesThePositionPredictedBeforeTheEvents) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::NONBLOCKING);
    place("Pad", Vector(2, 0), lm::NONBLOCKING);
    p_mover->setVelocity(Vector(1, 0));
    p_mover->reaction = [p_mover](const lm::Event*) {
        p_mover->setVelocity(Vector(0, 0));
        p_mover->setPosition(Vector(50, 50));  // overwritten by the move in progress
    };
    world.update();
    EXPECT_EQ(p_mover->getPosition(), Vector(1, 0));
    EXPECT_EQ(p_mover->getSpeed(), 0);
}

TEST_F(WorldManagerTest, ObjectMadeDuringUpdateFirstMovesInTheNextStep) {
    auto* p_mover = place("Mover", Vector(0, 0), lm::NONBLOCKING);
    place("Pad", Vector(2, 0), lm::NONBLOCKING);
    p_mover->setVelocity(Vector(1, 0));
    Recorder* p_newcomer = nullptr;
    p_mover->reaction = [&](const lm::Event*) {
        if (p_newcomer == nullptr) {
            p_newcomer = place("Newcomer", Vector(10, 10), lm::INTANGIBLE);
            p_newcomer->setVelocity(Vector(0, 1));
        }
    };
    world.update();
    ASSERT_NE(p_newcomer, nullptr);
    EXPECT_EQ(p_newcomer->getPosition(), Vector(10, 10));
    world.update();
    EXPECT_EQ(p_newcomer->getPosition(), Vector(10, 11));
}

TEST_F(WorldManagerTest, LeavingTheBoundaryIsReportedOnce) {
    world.setBoundary(Box(Vector(0, 0), 10, 10));
    auto* p_runner = place("Runner", Vector(8, 5), lm::INTANGIBLE);
    p_runner->setVelocity(Vector(1, 0));
    for (int step = 0; step < 5; ++step) {
        world.update();
    }
    // Its box [x, x + 1] meets the boundary up to x = 10 and leaves it at x = 11.
    EXPECT_EQ(p_runner->getPosition(), Vector(13, 5));
    EXPECT_EQ(journal, Journal{"Runner:lm::out"});

    world.moveObject(p_runner, Vector(5, 5));  // coming back in is not reported
    EXPECT_EQ(journal.size(), 1u);
}

TEST_F(WorldManagerTest, ObjectsOfTypeMatchesExactly) {
    auto* p_hero = place("Hero", Vector(0, 0), lm::BLOCKING);
    place("hero", Vector(0, 0), lm::BLOCKING);
    place("Heroine", Vector(0, 0), lm::BLOCKING);
    auto* p_second = place("Hero", Vector(0, 0), lm::BLOCKING);
    EXPECT_EQ(world.objectsOfType("Hero"), (lm::ObjectList{p_hero, p_second}));
    EXPECT_TRUE(world.objectsOfType("Tree").empty());
}

TEST_F(WorldManagerTest, MarkedObjectIsDeletedOnceAtTheEndOfUpdate) {
    auto* p_keep = place("Keep", Vector(0, 0), lm::BLOCKING);
    auto* p_doomed = place("Doomed", Vector(5, 5), lm::BLOCKING);
    EXPECT_EQ(world.markForDelete(p_doomed), 0);
    EXPECT_EQ(world.markForDelete(p_doomed), 0);
    EXPECT_EQ(world.markForDelete(nullptr), -1);
    EXPECT_EQ(world.getAllObjects().size(), 2u);
    world.update();
    EXPECT_EQ(world.getAllObjects(), lm::ObjectList{p_keep});
    world.update();  // nothing left to delete: a second deletion would fail under the sanitizers
    EXPECT_EQ(world.getAllObjects(), lm::ObjectList{p_keep});
}

/// When destroyed, marks every other object of the world for deletion, itself again, and makes
/// a newcomer, as a defeated hero does.
class Sweeper : public lm::Object {
public:
    explicit Sweeper(Journal& init_journal) : journal(init_journal) { setType("Sweeper"); }
    ~Sweeper() override {
        lm::WorldManager& world = lm::WorldManager::getInstance();
        for (lm::Object* p_object : world.getAllObjects()) {
            world.markForDelete(p_object);  // this one included
        }
        new Recorder("Newcomer", journal);
    }

private:
    Journal& journal;
};

/// Writes its type into the journal when it is destroyed.
class Mortal : public Recorder {
public:
    using Recorder::Recorder;
    ~Mortal() override { journal_of_deaths.push_back(getType()); }
    static Journal journal_of_deaths;
};
Journal Mortal::journal_of_deaths;

TEST_F(WorldManagerTest, DestructorsMayMarkMoreObjectsAndEachIsDeletedExactlyOnce) {
    Mortal::journal_of_deaths.clear();
    auto* p_first = new Mortal("First", journal);
    auto* p_sweeper = new Sweeper(journal);
    new Mortal("Second", journal);
    new Mortal("Third", journal);
    world.markForDelete(p_first);
    world.markForDelete(p_sweeper);

    world.update();

    // First goes before the sweeper; the rest follow in list order; the newcomer, made while
    // deleting, stays.
    EXPECT_EQ(Mortal::journal_of_deaths, (Journal{"First", "Second", "Third"}));
    const lm::ObjectList left = world.getAllObjects();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.front()->getType(), "Newcomer");
    world.update();
    EXPECT_EQ(world.getAllObjects(), left);
}

TEST_F(WorldManagerTest, ShutDownDeletesEveryObjectIncludingThoseMadeMeanwhile) {
    Mortal::journal_of_deaths.clear();
    new Mortal("First", journal);
    new Sweeper(journal);
    new Mortal("Last", journal);
    world.shutDown();
    EXPECT_EQ(Mortal::journal_of_deaths, (Journal{"First", "Last"}));
    EXPECT_TRUE(world.getAllObjects().empty());
    EXPECT_FALSE(world.isStarted());
}

TEST_F(WorldManagerTest, ViewIsCentredAndClampedToTheBoundary) {
    world.setBoundary(Box(Vector(0, 0), 60, 80));
    world.setView(Box(Vector(0, 0), 60, 40));
    const auto corner_for = [this](Vector centre) {
        world.setViewPosition(centre);
        return world.getView().getCorner();
    };
    EXPECT_EQ(corner_for(Vector(30, 10)), Vector(0, 0));
    EXPECT_EQ(corner_for(Vector(30, 70)), Vector(0, 40));
    EXPECT_EQ(corner_for(Vector(30, 50)), Vector(0, 30));
    EXPECT_EQ(corner_for(Vector(30, 20.5f)), Vector(0, 0.5f));  // not rounded
    EXPECT_EQ(world.getView().getHorizontal(), 60);
    EXPECT_EQ(world.getView().getVertical(), 40);

    world.setView(Box(Vector(0, 0), 100, 40));  // wider than the world: held at 0
    EXPECT_EQ(corner_for(Vector(50, 20)), Vector(0, 0));
}

TEST_F(WorldManagerTest, ViewFollowsMovesUntilTheObjectIsGone) {
    world.setBoundary(Box(Vector(0, 0), 60, 80));
    world.setView(Box(Vector(0, 0), 60, 40));
    auto* p_hero = place("Hero", Vector(20, 30), lm::BLOCKING);

    EXPECT_EQ(world.setViewFollowing(p_hero), 0);
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 10));
    world.moveObject(p_hero, Vector(20, 31));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 11));
    p_hero->setPosition(Vector(20, 60));  // not a move: the view stays
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 11));
    p_hero->setVelocity(Vector(0, 1));
    world.update();
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 40));

    world.markForDelete(p_hero);
    world.update();
    auto* p_other = place("Other", Vector(20, 20), lm::BLOCKING);
    world.moveObject(p_other, Vector(20, 21));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 40));
}

TEST_F(WorldManagerTest, FollowingNullStopsAndAStrangerIsRefused) {
    world.setBoundary(Box(Vector(0, 0), 60, 80));
    world.setView(Box(Vector(0, 0), 60, 40));
    auto* p_hero = place("Hero", Vector(20, 30), lm::BLOCKING);
    world.setViewFollowing(p_hero);

    auto* p_stranger = place("Stranger", Vector(20, 70), lm::BLOCKING);
    world.removeObject(p_stranger);  // out of the world, though it still exists
    EXPECT_EQ(world.setViewFollowing(p_stranger), -1);
    world.moveObject(p_hero, Vector(20, 32));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 12));  // still following the hero

    EXPECT_EQ(world.setViewFollowing(nullptr), 0);
    world.moveObject(p_hero, Vector(20, 35));
    EXPECT_EQ(world.getView().getCorner(), Vector(0, 12));
    world.insertObject(p_stranger);  // back, so that the world deletes it
}

/// Notes in the journal when it is drawn.
class Drawn : public lm::Object {
public:
    Drawn(const std::string& name, int drawn_altitude, Journal& init_journal)
        : journal(init_journal) {
        setType(name);
        setAltitude(drawn_altitude);
    }
    int draw() override {
        journal.push_back(getType());
        return 0;
    }

private:
    Journal& journal;
};

TEST_F(WorldManagerTest, DrawsByAltitudeThenListOrderAndOnlyWhatTheViewMeets) {
    world.setView(Box(Vector(0, 0), 60, 40));
    new Drawn("Top", lm::MAX_ALTITUDE, journal);
    new Drawn("Middle1", 2, journal);
    new Drawn("Bottom", 0, journal);
    new Drawn("Unseen", 7, journal);
    new Drawn("Middle2", 2, journal);
    auto* p_far = new Drawn("Far", 1, journal);
    p_far->setPosition(Vector(100, 100));
    auto* p_edge = new Drawn("Edge", 3, journal);
    p_edge->setPosition(Vector(-1, 40));  // its box touches the view's corner

    world.draw();
    EXPECT_EQ(journal, (Journal{"Bottom", "Middle1", "Middle2", "Edge", "Top"}));
}

TEST_F(WorldManagerTest, StartUpForgetsTheObjectsWithoutDeletingThem) {
    auto* p_object = new lm::Object();
    world.startUp();
    EXPECT_TRUE(world.getAllObjects().empty());
    world.insertObject(p_object);  // still alive: give it back so that it is deleted
}

}  // namespace
