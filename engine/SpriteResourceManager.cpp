#include "SpriteResourceManager.h"

#include "LogManager.h"
#include "Sprite.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <memory>

namespace lm {

namespace {

const char HEADER_SECTION[] = "HEADER";
const char BODY_SECTION[] = "BODY";
const char FOOTER_SECTION[] = "FOOTER";
const char FRAMES_KEYWORD[] = "frames";
const char WIDTH_KEYWORD[] = "width";
const char HEIGHT_KEYWORD[] = "height";
const char COLOR_KEYWORD[] = "color";
const char SLOWDOWN_KEYWORD[] = "slowdown";
const char VERSION_KEYWORD[] = "version";
const char END_FRAME_LINE[] = "end";
const char DEFAULT_COLOR_WORD[] = "default";

struct ColorWord {
    const char* word;
    Color color;
};

const ColorWord COLOR_WORDS[] = {
    {"black", BLACK},   {"red", RED},     {"green", GREEN},
    {"yellow", YELLOW}, {"blue", BLUE},   {"magenta", MAGENTA},
    {"cyan", CYAN},     {"white", WHITE}, {DEFAULT_COLOR_WORD, WHITE},
};

/// A decimal integer at the start of the text: leading blanks skipped, a sign allowed, reading
/// stops at the first non-digit, no digits gives 0. Values beyond an int are held at its limits.
int readNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<int>(
        std::clamp(value, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

bool beginsWith(const std::string& line, const char* keyword) {
    return line.compare(0, std::char_traits<char>::length(keyword), keyword) == 0;
}

/// The value of a keyword line: what follows the keyword and one separator character.
std::string valueAfter(const std::string& line, const char* keyword) {
    const std::size_t start = std::char_traits<char>::length(keyword) + 1;
    return start < line.size() ? line.substr(start) : std::string();
}

/// Takes every line that begins with the keyword out of the list, counting each as read, and
/// returns the value of the last one, or none when there is none. A line that comes after one
/// with a value is warned about.
template <typename Value, typename Read>
Value takeKeywordLines(std::vector<std::string>& data, const char* keyword, const Value& none,
                       const char* warning, Read read, int& line_number) {
    Value value = none;
    for (auto line = data.begin(); line != data.end();) {
        if (!beginsWith(*line, keyword)) {
            ++line;
            continue;
        }
        if (value != none) {
            LogManager::getInstance().writeLog(warning, line->c_str());
        }
        value = read(valueAfter(*line, keyword));
        line = data.erase(line);
        ++line_number;
    }
    return value;
}

}  // namespace

SpriteResourceManager::SpriteResourceManager() : sprites{}, sprite_count(0), line_number(0) {}

SpriteResourceManager::~SpriteResourceManager() {
    deleteSprites();
}

int SpriteResourceManager::startUp() {
    LogManager& log_manager = LogManager::getInstance();
    if (isStarted()) {
        log_manager.writeLog("SRM::startUp(): Already started.");
        return 0;
    }
    sprite_count = 0;
    Manager::startUp();
    log_manager.writeLog("SRM::startUp(): Successfully started.");
    return 0;
}

void SpriteResourceManager::shutDown() {
    deleteSprites();
    Manager::shutDown();
    LogManager::getInstance().writeLog("SRM::shutDown(): Successfully stopped.");
}

std::string SpriteResourceManager::getLine(std::ifstream& file) {
    std::string line;
    std::getline(file, line);
    if (!file.good()) {
        LogManager::getInstance().writeLog("getLine(): Error! Unexpected end of file.");
        return std::string();
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

SpriteResourceManager::Lines SpriteResourceManager::readData(std::ifstream& file,
                                                             std::string section) {
    const LogManager& log_manager = LogManager::getInstance();
    const std::string start = "<" + section + ">";
    const std::string end = "</" + section + ">";

    std::string line = getLine(file);
    ++line_number;
    if (line != start) {
        log_manager.writeLog("readData(): Error line %d! Expected '%s', have '%s'.", line_number,
                             start.c_str(), line.c_str());
        return Lines();
    }

    // The lines inside are counted as they are taken from the list, and the end marker after
    // them (endSection).
    Lines data;
    for (line = getLine(file); line != end; line = getLine(file)) {
        if (line.empty()) {
            log_manager.writeLog("readData(): Error! Never encountered '%s'.", end.c_str());
            return Lines();
        }
        data.push_back(line);
    }
    return data;
}

int SpriteResourceManager::matchLineInt(Lines& data, const char* keyword) {
    return takeKeywordLines(data, keyword, -1,
                            "matchLineInt(): Warning! '%s' matches multiple lines.", readNumber,
                            line_number);
}

std::string SpriteResourceManager::matchLineStr(Lines& data, const char* keyword) {
    return takeKeywordLines(
        data, keyword, std::string(), "matchLineStr(): Warning! '%s' matches multiple lines.",
        [](std::string value) { return value; }, line_number);
}

Frame SpriteResourceManager::nextFrame(Lines& data, int width, int height) {
    const LogManager& log_manager = LogManager::getInstance();
    // The rows and the "end" line are read in place and taken off the front together: erasing
    // them one by one would be quadratic in long bodies. A faulty line stays in the list.
    std::size_t taken = 0;
    const auto take = [&data, &taken]() {
        data.erase(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(taken));
    };
    std::string frame_str;
    const int rows = std::max(height, 0);
    for (int row = 0; row <= rows; ++row) {  // the rows, then the "end" line
        if (taken == data.size()) {
            log_manager.writeLog("\tError! Line %d: No more frame data.", line_number + 1);
            take();
            return Frame();
        }
        const std::string& line = data[taken];
        ++line_number;
        const bool end_line = row == rows;
        if (end_line ? line != END_FRAME_LINE : static_cast<int>(line.size()) != width) {
            if (end_line) {
                log_manager.writeLog("\tError! Line %d: Expected '%s'.", line_number,
                                     END_FRAME_LINE);
            } else {
                log_manager.writeLog("\tError! Line %d: Line length is %d (frame width is %d).",
                                     line_number, static_cast<int>(line.size()), width);
            }
            log_manager.writeLog("\tLine %d: '%s'", line_number, line.c_str());
            take();
            return Frame();
        }
        if (!end_line) {
            frame_str += line;
        }
        ++taken;
    }
    take();
    return Frame(width, height, frame_str);
}

int SpriteResourceManager::loadSprite(std::string filename, std::string label) {
    const LogManager& log_manager = LogManager::getInstance();
    const auto fail = [&log_manager, &label]() {
        log_manager.writeLog("SRM::loadSprite(): Sprite '%s' not loaded.", label.c_str());
        return -1;
    };

    if (sprite_count == MAX_SPRITES) {
        log_manager.writeLog("SRM::loadSprite(): Error! Cannot add more Sprites (max is %d).",
                             MAX_SPRITES);
        return fail();
    }
    log_manager.writeLog("SRM::loadSprite(): Loading sprite '%s'.", filename.c_str());
    std::ifstream file(filename);
    if (!file.is_open()) {
        log_manager.writeLog("SRM::loadSprite(): Error! Cannot open file '%s'.", filename.c_str());
        return fail();
    }
    log_manager.writeLog("SRM::loadSprite(): Opened file '%s'.", filename.c_str());
    line_number = 0;

    Header header;
    if (!readHeader(file, header)) {
        return fail();
    }
    Lines body = readData(file, BODY_SECTION);
    if (body.empty()) {
        return fail();
    }
    std::unique_ptr<Sprite> p_sprite = readBody(body, header);
    if (!p_sprite || !readFooter(file)) {
        return fail();
    }

    p_sprite->setLabel(label);
    sprites[static_cast<std::size_t>(sprite_count)] = p_sprite.release();
    ++sprite_count;
    log_manager.writeLog("SRM::loadSprite(): Sprite '%s' loaded.", label.c_str());
    return 0;
}

bool SpriteResourceManager::readHeader(std::ifstream& file, Header& header) {
    const LogManager& log_manager = LogManager::getInstance();
    Lines lines = readData(file, HEADER_SECTION);
    if (lines.empty()) {
        return false;
    }
    for (const auto& [keyword, p_value] :
         {std::pair{FRAMES_KEYWORD, &header.frames}, std::pair{WIDTH_KEYWORD, &header.width},
          std::pair{HEIGHT_KEYWORD, &header.height}}) {
        *p_value = matchLineInt(lines, keyword);
        if (*p_value == -1) {
            log_manager.writeLog("SRM::loadSprite(): Error! Missing '%s' in header.", keyword);
            return false;
        }
    }
    header.color_word = matchLineStr(lines, COLOR_KEYWORD);
    if (header.color_word.empty()) {
        log_manager.writeLog("SRM::loadSprite(): Warning! No '%s' in header.", COLOR_KEYWORD);
        header.color_word = DEFAULT_COLOR_WORD;
    }
    header.slowdown = matchLineInt(lines, SLOWDOWN_KEYWORD);
    if (header.slowdown == -1) {
        log_manager.writeLog("SRM::loadSprite(): Warning! No '%s' in header.", SLOWDOWN_KEYWORD);
        header.slowdown = 0;
    }
    if (!lines.empty()) {
        log_manager.writeLog("SRM::loadSprite(): Warning! Unused HEADER lines:");
        for (const std::string& line : lines) {
            log_manager.writeLog("\t'%s'", line.c_str());
        }
        line_number += static_cast<int>(lines.size());
    }
    endSection();
    log_manager.writeLog("\t      Frames: %d", header.frames);
    log_manager.writeLog("\t       Width: %d", header.width);
    log_manager.writeLog("\t      Height: %d", header.height);
    log_manager.writeLog("\t    Slowdown: %d", header.slowdown);
    log_manager.writeLog("\t       Color: %s", header.color_word.c_str());
    return true;
}

std::unique_ptr<Sprite> SpriteResourceManager::readBody(Lines& body, const Header& header) {
    const LogManager& log_manager = LogManager::getInstance();
    // The header's frame count is only a claim: every frame takes at least its "end" line, so the
    // body cannot hold more frames than it has lines, and no more room than that is made.
    const int capacity = static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(std::max(header.frames, 0)), body.size()));
    auto p_sprite = std::make_unique<Sprite>(capacity);
    p_sprite->setWidth(header.width);
    p_sprite->setHeight(header.height);
    p_sprite->setSlowdown(header.slowdown);

    const auto color_word_entry =
        std::find_if(std::begin(COLOR_WORDS), std::end(COLOR_WORDS),
                     [&header](const ColorWord& entry) { return header.color_word == entry.word; });
    if (color_word_entry == std::end(COLOR_WORDS)) {
        log_manager.writeLog("SRM::loadSprite(): Error! Unrecognized color '%s'.",
                             header.color_word.c_str());
        log_manager.writeLog("  Valid colors are: black, red, green, yellow,");
        log_manager.writeLog("                    blue, magenta, cyan and white.");
        return nullptr;
    }
    p_sprite->setColor(color_word_entry->color);

    for (int i = 0; i < header.frames; ++i) {
        const Frame frame = nextFrame(body, header.width, header.height);
        if (frame.getString().empty()) {
            log_manager.writeLog("SRM::loadSprite(): Error! No frame data to add.");
            return nullptr;
        }
        if (p_sprite->pushFrame(frame) == -1) {
            log_manager.writeLog("SRM::loadSprite(): Error! Cannot add Frame.");
            log_manager.writeLog("\tFramecount is %d, max is %d", p_sprite->getFrameCount() + 1,
                                 header.frames);
            return nullptr;
        }
    }
    if (!body.empty()) {
        log_manager.writeLog("SRM::loadSprite(): Error! Extra BODY:");
        for (const std::string& line : body) {
            log_manager.writeLog("\tline %d: %s", ++line_number, line.c_str());
        }
        return nullptr;
    }
    endSection();
    return p_sprite;
}

bool SpriteResourceManager::readFooter(std::ifstream& file) {
    const LogManager& log_manager = LogManager::getInstance();
    Lines lines = readData(file, FOOTER_SECTION);
    if (lines.empty()) {
        return false;
    }
    const std::string version = matchLineStr(lines, VERSION_KEYWORD);
    if (version.empty()) {
        // Names the line after those read: where the version was looked for last.
        log_manager.writeLog("SRM::loadSprite(): Error! Missing '%s' in FOOTER (line %d).",
                             VERSION_KEYWORD, line_number + 1);
        return false;
    }
    if (!lines.empty()) {
        log_manager.writeLog("SRM::loadSprite(): Warning! Unused FOOTER lines:");
        for (const std::string& line : lines) {
            log_manager.writeLog("\t'%s'", line.c_str());
        }
    }
    return true;
}

void SpriteResourceManager::endSection() {
    ++line_number;
}

int SpriteResourceManager::unloadSprite(std::string label) {
    const auto first = sprites.begin();
    const auto last = first + sprite_count;
    const auto found = std::find_if(
        first, last, [&label](const Sprite* p_sprite) { return p_sprite->getLabel() == label; });
    if (found == last) {
        return -1;
    }
    delete *found;
    std::move(found + 1, last, found);
    --sprite_count;
    sprites[static_cast<std::size_t>(sprite_count)] = nullptr;
    return 0;
}

Sprite* SpriteResourceManager::getSprite(std::string label) const {
    for (int i = 0; i < sprite_count; ++i) {
        if (sprites[static_cast<std::size_t>(i)]->getLabel() == label) {
            return sprites[static_cast<std::size_t>(i)];
        }
    }
    return nullptr;
}

void SpriteResourceManager::deleteSprites() {
    for (int i = 0; i < sprite_count; ++i) {
        delete sprites[static_cast<std::size_t>(i)];
        sprites[static_cast<std::size_t>(i)] = nullptr;
    }
    sprite_count = 0;
}

}  // namespace lm
