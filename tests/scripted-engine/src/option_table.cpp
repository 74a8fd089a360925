#include "option_table.h"

#include <cmath>
#include <cstring>

#include "engine_abi.h"
#include "text_convert.h"

namespace {

const double kNoLimit = 1e300;

// Start values follow the engine's defaults, including the few that the client
// library changes on creation (config, idle, terminal, osc, input bindings).
const OptionDefinition kOptions[] = {
    {"pause", OptionKind::Flag, "no", 0, 0, nullptr},
    {"mute", OptionKind::Flag, "no", 0, 0, nullptr},
    {"volume", OptionKind::Number, "100", 0, 1000, nullptr},
    {"volume-max", OptionKind::Number, "130", 100, 1000, nullptr},
    {"speed", OptionKind::Number, "1", 0.01, 100, nullptr},
    {"sub-delay", OptionKind::Number, "0", -kNoLimit, kNoLimit, nullptr},
    {"audio-delay", OptionKind::Number, "0", -kNoLimit, kNoLimit, nullptr},
    {"sid", OptionKind::Track, "auto", 0, 0, nullptr},
    {"aid", OptionKind::Track, "auto", 0, 0, nullptr},
    {"vid", OptionKind::Track, "auto", 0, 0, nullptr},
    {"video-aspect-override", OptionKind::Aspect, "-1", -1, 10, nullptr},
    {"video-zoom", OptionKind::Number, "0", -20, 20, nullptr},
    {"video-pan-x", OptionKind::Number, "0", -3, 3, nullptr},
    {"video-pan-y", OptionKind::Number, "0", -3, 3, nullptr},
    {"video-scale-x", OptionKind::Number, "1", 0, 10000, nullptr},
    {"video-scale-y", OptionKind::Number, "1", 0, 10000, nullptr},
    {"video-rotate", OptionKind::Integer, "0", 0, 359, nullptr},
    {"panscan", OptionKind::Number, "0", 0, 1, nullptr},
    {"sub-visibility", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"sub-margin-y", OptionKind::Integer, "22", 0, 600, nullptr},
    {"sub-pos", OptionKind::Number, "100", 0, 150, nullptr},
    {"sub-scale", OptionKind::Number, "1", 0, 100, nullptr},
    {"sub-bold", OptionKind::Flag, "no", 0, 0, nullptr},
    {"sub-codepage", OptionKind::Text, "auto", 0, 0, nullptr},
    {"sub-auto", OptionKind::Choice, "exact", 0, 0, "no|exact|fuzzy|all"},
    {"brightness", OptionKind::Integer, "0", -100, 100, nullptr},
    {"contrast", OptionKind::Integer, "0", -100, 100, nullptr},
    {"saturation", OptionKind::Integer, "0", -100, 100, nullptr},
    {"hue", OptionKind::Integer, "0", -100, 100, nullptr},
    {"gamma", OptionKind::Integer, "0", -100, 100, nullptr},
    {"ab-loop-a", OptionKind::Time, "no", 0, 0, "no"},
    {"ab-loop-b", OptionKind::Time, "no", 0, 0, "no"},
    {"ab-loop-count", OptionKind::Choice, "inf", 0, 0, "inf|#"},
    {"loop-file", OptionKind::Choice, "no", 0, 0, "no|inf|yes|#"},
    {"loop-playlist", OptionKind::Choice, "no", 0, 0, "no|inf|yes|force|#"},
    {"keep-open", OptionKind::Choice, "no", 0, 0, "no|yes|always"},
    {"keep-open-pause", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"idle", OptionKind::Choice, "yes", 0, 0, "no|yes|once"},
    {"hwdec", OptionKind::Text, "no", 0, 0, nullptr},
    {"af", OptionKind::Text, "", 0, 0, nullptr},
    {"vf", OptionKind::Text, "", 0, 0, nullptr},
    {"slang", OptionKind::Text, "", 0, 0, nullptr},
    {"alang", OptionKind::Text, "", 0, 0, nullptr},
    {"resume-playback", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"save-position-on-quit", OptionKind::Flag, "no", 0, 0, nullptr},
    {"watch-later-dir", OptionKind::Text, "", 0, 0, nullptr},
    {"watch-later-options", OptionKind::Text, "start", 0, 0, nullptr},
    {"write-filename-in-watch-later-config", OptionKind::Flag, "no", 0, 0, nullptr},
    {"ignore-path-in-watch-later-config", OptionKind::Flag, "no", 0, 0, nullptr},
    {"autocreate-playlist", OptionKind::Choice, "no", 0, 0, "no|filter|same"},
    {"directory-filter-types", OptionKind::Text, "video,audio,image", 0, 0, nullptr},
    {"directory-mode", OptionKind::Choice, "auto", 0, 0, "auto|lazy|recursive|ignore"},
    {"video-exts", OptionKind::Text,
     "3g2,3gp,avi,flv,m2ts,m4v,mj2,mkv,mov,mp4,mpeg,mpg,ogv,rmvb,ts,webm,wmv,y4m", 0, 0, nullptr},
    {"audio-exts", OptionKind::Text,
     "aac,ac3,aiff,ape,au,dts,eac3,flac,m4a,mka,mp3,oga,ogg,ogm,opus,thd,wav,wma,wv", 0, 0,
     nullptr},
    {"image-exts", OptionKind::Text,
     "avif,bmp,gif,j2k,jp2,jpeg,jpg,jxl,png,qoi,svg,tga,tif,tiff,webp", 0, 0, nullptr},
    {"screenshot-format", OptionKind::Choice, "jpg", 0, 0, "jpg|jpeg|png|webp|jxl|avif"},
    {"screenshot-directory", OptionKind::Text, "", 0, 0, nullptr},
    {"wid", OptionKind::Integer, "-1", -1e18, 1e18, nullptr},
    {"config", OptionKind::Flag, "no", 0, 0, nullptr},
    {"terminal", OptionKind::Flag, "no", 0, 0, nullptr},
    {"osc", OptionKind::Flag, "no", 0, 0, nullptr},
    {"input-default-bindings", OptionKind::Flag, "no", 0, 0, nullptr},
    {"input-vo-keyboard", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"input-cursor", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"input-media-keys", OptionKind::Flag, "no", 0, 0, nullptr},
    {"osd-level", OptionKind::Integer, "3", 0, 3, nullptr},
    {"cursor-autohide", OptionKind::Text, "1000", 0, 0, nullptr},
    {"ao", OptionKind::Text, "", 0, 0, nullptr},
    {"vo", OptionKind::Text, "", 0, 0, nullptr},
    {"gpu-api", OptionKind::Text, "auto", 0, 0, nullptr},
    {"gpu-sw", OptionKind::Flag, "no", 0, 0, nullptr},
    {"fullscreen", OptionKind::Flag, "no", 0, 0, nullptr},
    {"ontop", OptionKind::Flag, "no", 0, 0, nullptr},
    {"border", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"force-window", OptionKind::Choice, "no", 0, 0, "no|yes|immediate"},
    {"start", OptionKind::Text, "none", 0, 0, nullptr},
    {"hr-seek", OptionKind::Choice, "default", 0, 0, "no|absolute|yes|always|default"},
    {"stop-screensaver", OptionKind::Choice, "yes", 0, 0, "no|yes|always"},
    {"load-scripts", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"ytdl", OptionKind::Flag, "yes", 0, 0, nullptr},
    {"msg-level", OptionKind::Text, "", 0, 0, nullptr},
    {"log-file", OptionKind::Text, "", 0, 0, nullptr},
    {"title", OptionKind::Text, "${?media-title:${media-title}}${!media-title:No file} - mpv", 0, 0,
     nullptr},
    {"cache", OptionKind::Choice, "auto", 0, 0, "no|yes|auto"},
    {"sub-font", OptionKind::Text, "sans-serif", 0, 0, nullptr},
    {"sub-font-size", OptionKind::Number, "38", 1, 9000, nullptr},
    {"osd-font", OptionKind::Text, "sans-serif", 0, 0, nullptr},
};

bool choiceAllowed(const char *choices, const std::string &text) {
    for (const std::string &choice : splitText(choices, '|'))
        if (choice == text) return true;
    return false;
}

}  // namespace

const OptionDefinition *findOption(const std::string &name) {
    std::string canonical = name == "watch-later-directory" ? "watch-later-dir" : name;
    for (const OptionDefinition &definition : kOptions)
        if (canonical == definition.name) return &definition;
    return nullptr;
}

const OptionDefinition *optionTable(size_t &count) {
    count = sizeof kOptions / sizeof kOptions[0];
    return kOptions;
}

int parseOptionValue(const OptionDefinition &definition, const std::string &text,
                     PropertyValue &out) {
    switch (definition.kind) {
        case OptionKind::Flag:
            if (text == "yes" || text.empty())
                out = PropertyValue::ofFlag(true);
            else if (text == "no")
                out = PropertyValue::ofFlag(false);
            else
                return abi::kOptionError;
            return 0;
        case OptionKind::Integer: {
            long long value;
            double number;
            if (!parseInteger(text, value)) {
                // The engine reads integer options leniently from "5.0" but not from "5.5".
                if (!parseDouble(text, number) || number != std::floor(number))
                    return abi::kOptionError;
                value = (long long)number;
            }
            if (value < definition.minimum || value > definition.maximum) return abi::kOptionFormat;
            out = PropertyValue::ofInteger(value);
            return 0;
        }
        case OptionKind::Number: {
            double value;
            if (!parseDouble(text, value) || !std::isfinite(value)) return abi::kOptionError;
            if (value < definition.minimum || value > definition.maximum) return abi::kOptionFormat;
            out = PropertyValue::ofNumber(value);
            return 0;
        }
        case OptionKind::Text:
            out = PropertyValue::ofText(text);
            return 0;
        case OptionKind::Choice: {
            if (choiceAllowed(definition.choices, text)) {
                out = PropertyValue::ofText(text);
                return 0;
            }
            long long count;
            if (choiceAllowed(definition.choices, "#") && parseInteger(text, count) && count >= 0) {
                out = PropertyValue::ofText(text);
                return 0;
            }
            return abi::kOptionError;
        }
        case OptionKind::Time: {
            if (definition.choices && choiceAllowed(definition.choices, text)) {
                out = PropertyValue::ofText(text);
                return 0;
            }
            double seconds;
            if (!parseTimeText(text, seconds)) return abi::kOptionError;
            out = PropertyValue::ofNumber(seconds);
            return 0;
        }
        case OptionKind::Aspect: {
            double value;
            if (text == "no") {
                value = 0;
            } else if (text.find(':') != std::string::npos) {
                auto parts = splitText(text, ':');
                double width, height;
                if (parts.size() != 2 || !parseDouble(parts[0], width) ||
                    !parseDouble(parts[1], height) || height <= 0)
                    return abi::kOptionError;
                value = width / height;
            } else if (!parseDouble(text, value)) {
                return abi::kOptionError;
            }
            if (value < definition.minimum || value > definition.maximum) return abi::kOptionFormat;
            out = PropertyValue::ofNumber(value);
            return 0;
        }
        case OptionKind::Track: {
            if (text == "no" || text == "auto") {
                out = PropertyValue::ofText(text);
                return 0;
            }
            long long id;
            if (!parseInteger(text, id) || id < 0 || id > 8190) return abi::kOptionError;
            out = id == 0 ? PropertyValue::ofText("no") : PropertyValue::ofInteger(id);
            return 0;
        }
    }
    return abi::kOptionError;
}
