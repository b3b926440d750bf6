// Every service the program uses, handed to the logic as one bundle. Which implementation
// stands behind it is chosen once, where the program (or a test) is assembled.
#pragma once

namespace vp {

class Environment;
class FileSystem;
class Graphics;
class InternetCache;
class Memory;
class NarrowText;
class Processes;
class Registry;
class Shell;
class UrlHistory;
class Windowing;

struct Platform {
    Registry& registry;
    FileSystem& fileSystem;
    Environment& environment;
    Shell& shell;
    InternetCache& internetCache;
    UrlHistory& urlHistory;
    Memory& memory;
    Windowing& windowing;
    Graphics& graphics;
    const NarrowText& narrowText;
    Processes& processes; // read only: every wrapping platform passes it through
};

} // namespace vp
