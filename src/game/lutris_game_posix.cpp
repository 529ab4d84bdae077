#include "game/lutris_game.h"

#include <yaml-cpp/anchor.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

#include <istream>
#include <streambuf>
#include <vector>

namespace thld {

namespace {

// The text as a stream, without a copy.
class TextBuffer : public std::streambuf {
public:
    explicit TextBuffer(std::string_view text)
    {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
    }
};

// Follows the events of the first document and keeps the values of game: exe, prefix and
// working_dir; every other value passes by. Each open map or sequence is a frame: a map takes a
// key, then a value, in turn.
class GameSection : public YAML::EventHandler {
public:
    explicit GameSection(LutrisGame& game) : game_(game) {}

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override { Node(std::nullopt); }
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { Node(std::nullopt); }
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t, const std::string& value) override
    {
        Node(value);
    }
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override
    {
        Open(false);
    }
    void OnSequenceEnd() override { Close(); }
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override
    {
        Open(true);
    }
    void OnMapEnd() override { Close(); }

private:
    struct Frame {
        bool isMap = false;
        bool atKey = true;       // a map's next node is a key
        bool keyIsText = false;  // the key of the value to come is a scalar, `key`
        std::string key;
    };

    // Whether the next node is the value of the game's `name`: a value in a map that is the value of
    // "game" in the document's own map.
    bool IsGameValue(std::string_view name) const
    {
        return frames_.size() == 2 && frames_[0].isMap && frames_[0].keyIsText && frames_[0].key == "game" &&
               frames_[1].isMap && !frames_[1].atKey && frames_[1].keyIsText && frames_[1].key == name;
    }
    void Node(const std::optional<std::string>& scalar)
    {
        if (!frames_.empty() && frames_.back().isMap && frames_.back().atKey) {
            Frame& map = frames_.back();
            map.keyIsText = scalar.has_value();
            map.key = scalar.value_or("");
        } else if (IsGameValue("exe")) {
            game_.exe = scalar;
        } else if (IsGameValue("prefix")) {
            game_.prefix = scalar;
        } else if (IsGameValue("working_dir")) {
            game_.workingDir = scalar;
        }
        Ended();
    }
    void Open(bool isMap)
    {
        // A map or sequence as a key is no text key.
        if (!frames_.empty() && frames_.back().isMap && frames_.back().atKey) {
            frames_.back().keyIsText = false;
            frames_.back().key.clear();
        }
        Frame frame;
        frame.isMap = isMap;
        frames_.push_back(std::move(frame));
    }
    void Close()
    {
        if (!frames_.empty())
            frames_.pop_back();
        Ended();
    }
    // A node ended in the frame on top: a map now takes the other of key and value.
    void Ended()
    {
        if (!frames_.empty() && frames_.back().isMap)
            frames_.back().atKey = !frames_.back().atKey;
    }

    LutrisGame& game_;
    std::vector<Frame> frames_;
};

}  // namespace

LutrisGame ReadLutrisGame(std::string_view text)
{
    LutrisGame game;
    TextBuffer buffer(text);
    std::istream stream(&buffer);
    try {
        YAML::Parser parser(stream);
        GameSection section(game);
        parser.HandleNextDocument(section);
    } catch (const YAML::Exception& error) {
        game = LutrisGame();
        game.error = error.msg + (error.mark.is_null() ? std::string()
                                                       : " (line " + std::to_string(error.mark.line + 1) + ", column " +
                                                             std::to_string(error.mark.column + 1) + ")");
    }
    return game;
}

}  // namespace thld
