#pragma once

#include "Constants.h"
#include "Frame.h"
#include "Manager.h"

#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace lm {

class Sprite;

/// The store of every sprite of the run, read from sprite files and found by label. Its one
/// instance is the resource manager.
///
/// A sprite file is plain text in three sections:
///
///     <HEADER>            keyword lines in any order: "frames", "width" and "height" required,
///     frames 2            "color" (black, red, green, yellow, blue, magenta, cyan, white or
///     width 3             default) and "slowdown" (draws per frame) optional
///     height 2
///     </HEADER>
///     <BODY>
///     / \                 each frame: height rows of exactly width characters, then "end"
///     \ /
///     end
///     ...
///     </BODY>
///     <FOOTER>
///     version 1           required, any non-empty value
///     </FOOTER>
///
/// No line may be empty, the file must end with a newline, and a carriage return before a newline
/// is ignored. The loader is strict: every fault is written to the log, naming the line, and the
/// sprite is then not loaded.
class SpriteResourceManager : public Manager {
public:
    ~SpriteResourceManager() override;

    /// Empties the table; "SRM::startUp(): Already started." when started. Always 0.
    int startUp() override;

    /// Deletes every sprite.
    void shutDown() override;

    /// Reads a sprite file and stores the sprite under the label. 0 when loaded; -1, with the
    /// reasons in the log and the store unchanged, when not.
    int loadSprite(std::string filename, std::string label);

    /// Deletes the first sprite with that label, keeping the order of the rest; -1 when none has
    /// it. No object may be showing the sprite.
    int unloadSprite(std::string label);

    /// The first sprite with that label (exact, case-sensitive), or null.
    Sprite* getSprite(std::string label) const;

protected:
    SpriteResourceManager();

private:
    using Lines = std::vector<std::string>;

    /// The next line without its newline and carriage return; empty, with an error in the log,
    /// when the file ends before a newline.
    std::string getLine(std::ifstream& file);

    /// The lines between "<section>" and "</section>"; empty, with an error in the log when the
    /// markers are wrong or missing, or when the section is empty. The start marker counts as
    /// read; the lines inside count as they are taken from the list.
    Lines readData(std::ifstream& file, std::string section);

    /// Takes every line that begins with the keyword out of the list and returns the value of the
    /// last one: its number, or -1 when there is none. Warns when more than one line counts.
    int matchLineInt(Lines& data, const char* keyword);

    /// As matchLineInt for a word value; empty when there is none.
    std::string matchLineStr(Lines& data, const char* keyword);

    /// Takes the next frame's rows and its "end" line off the front of the list; the empty frame,
    /// with the reason in the log, when they are not there.
    Frame nextFrame(Lines& data, int width, int height);

    /// What a sprite file's header says.
    struct Header {
        int frames = 0;          // frames in the body
        int width = 0;           // characters per row
        int height = 0;          // rows per frame
        std::string color_word;  // as written, or "default"
        int slowdown = 0;        // draws per frame
    };

    /// Reads the header section and reports what it holds; false, with the reason in the log,
    /// when it lacks the frames, width or height.
    bool readHeader(std::ifstream& file, Header& header);

    /// Makes the sprite that the header describes from the body section's lines; null, with the
    /// reason in the log, when the colour is unknown or the frames do not fill the body exactly.
    std::unique_ptr<Sprite> readBody(Lines& body, const Header& header);

    /// Reads the footer section; false, with the reason in the log, when it has no version.
    bool readFooter(std::ifstream& file);

    /// Counts the end marker of the section whose lines have all been taken.
    void endSection();

    void deleteSprites();

    std::array<Sprite*, MAX_SPRITES> sprites;  // owned, dense from index 0, in load order
    int sprite_count;                          // entries in use
    int line_number;                           // the file line the loader's messages refer to
};

}  // namespace lm
