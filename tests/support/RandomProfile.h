// Simulated profiles made at random from a seed, the same profile for the same seed: folders,
// hidden, system, read-only and locked files, folders in use, registry lists with gaps and keys
// that refuse changes, cache entries with their files (some in use), the recycle bin and the
// URL history. Some target folders lie inside others, so one target sees what another did.
#pragma once

#include "platform/sim/SimPlatform.h"
#include "targets/ShellFolders.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace vp::test {

class RandomProfile {
public:
    explicit RandomProfile(std::uint32_t seed) : random_(seed) {}

    void build(sim::SimPlatform& sim) {
        const std::string profile = R"(C:\Documents and Settings\)" + pick({"anne", "Bruno"});
        const std::string temp = profile + R"(\Local Settings\Temp)";
        // The cache folder sometimes lies inside the temporary folder.
        const std::string cache = chance(4)
                                      ? temp + R"(\Temporary Internet Files)"
                                      : profile + R"(\Local Settings\Temporary Internet Files)";
        const std::string cookies = profile + R"(\Cookies)";
        const std::string history = profile + R"(\Local Settings\History)";
        const std::string recent = profile + R"(\Recent)";
        sim.environment.set("USERNAME", profile.substr(profile.find_last_of('\\') + 1))
            .set("SystemRoot", R"(C:\WINDOWS)")
            .setTempPath(temp + '\\');
        sim.registry.setString(ShellFoldersKey, "Cookies", cookies)
            .setString(ShellFoldersKey, "Cache", cache)
            .setString(ShellFoldersKey, "History", history)
            .setString(ShellFoldersKey, "Recent", recent);

        for (const std::string& root : {temp, cookies, cache, history, recent}) {
            tree(sim.files, root, 0);
        }
        folderOfFiles(sim.files, R"(C:\WINDOWS\Prefetch)", "pf");
        folderOfFiles(sim.files, profile + R"(\Application Data\Azureus\logs)", "log");
        folderOfFiles(
            sim.files,
            profile +
                R"(\Application Data\Macromedia\Flash Player\macromedia.com\support\flashplayer\sys)",
            "sol");
        for (const char* path : {R"(C:\Program Files\eDonkey2000\log.txt)",
                                 R"(C:\Program Files\eMule\config\known.met)",
                                 R"(C:\Program Files\eMule\downloads.txt)"}) {
            if (chance(2)) {
                sim.files.file(path, fileOptions());
            }
        }

        registryLists(sim.registry);

        const int entries = number(0, 6);
        for (int i = 0; i < entries; ++i) {
            const bool cookie = chance(2);
            const std::string name = cookie ? "Cookie:anne@site" + std::to_string(i) + ".example/"
                                            : "http://site" + std::to_string(i) + ".example/p.gif";
            const std::string local =
                (cookie ? cookies : cache) + R"(\entry)" + std::to_string(i) + ".dat";
            sim.files.file(local, {.contents = std::string(number(1, 900), 'c')});
            sim.internetCache.entry(name, {.localFile = local, .inUse = chance(5)});
        }
        const int recycled = number(0, 4);
        for (int i = 0; i < recycled; ++i) {
            // Now and then one the shell cannot remove (a folder, under Wine).
            sim.shell.recycled(R"(C:\old\thing)" + std::to_string(i),
                               static_cast<std::uint64_t>(number(0, 5000)), chance(4));
        }
        if (entries == 0 && chance(2)) {
            sim.internetCache.withoutStore(); // never used: a search would set it up
        } else {
            // The cache's own store, mapped by the program once it has searched the cache.
            if (chance(2)) {
                for (const std::string& index :
                     {cache + R"(\Content.IE5\index.dat)", cookies + R"(\index.dat)",
                      history + R"(\History.IE5\index.dat)"}) {
                    sim.files.file(index, {.mapped = true});
                    sim.internetCache.storeFile(index);
                }
            }
        }
        sim.urlHistory.visit("http://visited.example/");
    }

private:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return number(1, oneIn) == 1; }
    std::string pick(std::initializer_list<const char*> choices) {
        return *(choices.begin() + number(0, static_cast<int>(choices.size()) - 1));
    }

    sim::FileOptions fileOptions() {
        sim::FileOptions options;
        options.attributes = FileAttribute::Archive;
        switch (number(0, 9)) {
        case 0:
            options.attributes = FileAttribute::Hidden;
            break;
        case 1:
            options.attributes = FileAttribute::System | FileAttribute::Archive;
            break;
        case 2:
            options.attributes = FileAttribute::ReadOnly;
            break;
        case 3:
            options.inUse = true;
            break;
        case 4:
            options.attributes = 0;
            break;
        default:
            break;
        }
        options.contents = std::string(static_cast<std::size_t>(number(0, 3000)), 'x');
        return options;
    }

    void folderOfFiles(sim::SimFileSystem& files, const std::string& folder, const char* ext) {
        if (!chance(3)) {
            const int count = number(0, 5);
            for (int i = 0; i < count; ++i) {
                files.file(folder + R"(\F)" + std::to_string(i) + '.' + ext, fileOptions());
            }
        }
    }

    void tree(sim::SimFileSystem& files, const std::string& folder, int depth) {
        if (depth == 0 && chance(8)) {
            return; // the target folder is missing
        }
        sim::FolderOptions options;
        options.inUse = depth > 0 && chance(12);
        options.attributes = chance(3) ? FileAttribute::Archive : 0;
        files.folder(folder, options);
        const int count = number(0, 6);
        for (int i = 0; i < count; ++i) {
            files.file(folder + R"(\file)" + std::to_string(i) + (chance(2) ? ".tmp" : ".dat"),
                       fileOptions());
        }
        const int subfolders = depth < 3 ? number(0, 3) : 0;
        for (int i = 0; i < subfolders; ++i) {
            tree(files, folder + R"(\sub)" + std::to_string(i), depth + 1);
        }
    }

    void registryLists(sim::SimRegistry& registry) {
        const std::string explorer = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\)";
        numbered(registry, R"(Software\Microsoft\Internet Explorer\TypedURLs)", "url", 1);
        letters(registry, explorer + "RunMRU");
        letters(registry, explorer + "Doc Find Spec MRU");
        letters(registry, explorer + "RecentDocs");
        numbered(registry, R"(Software\Ahead\Nero - Burning Rom\Recent File List)", "file", 1);
        numbered(registry, R"(Software\Ahead\Cover Designer\Recent File List)", "file", 1);
        numbered(registry, R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)", "", 1);
        numbered(registry, R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)", "URL", 0);
        numbered(registry, R"(Software\WinRAR\ArcHistory)", "", 0);
        numbered(registry, R"(Software\Nico Mak Computing\WinZip\filemenu)", "filemenu", 1);
    }

    // Entries at random numbers (gaps between them), now and then one too long to read, and
    // now and then a key that refuses changes.
    void numbered(sim::SimRegistry& registry, const std::string& key, const std::string& prefix,
                  int first) {
        if (chance(4)) {
            return;
        }
        const int count = number(0, 5);
        for (int i = 0; i < count; ++i) {
            const std::string name = prefix + std::to_string(first + number(0, 30));
            registry.setString(key, name, chance(6) ? std::string(140, 'L') : "entry " + name);
        }
        registry.key(key);
        if (chance(8)) {
            registry.readOnly(key);
        }
    }

    void letters(sim::SimRegistry& registry, const std::string& key) {
        if (chance(4)) {
            return;
        }
        std::string order;
        for (char letter = 'a'; letter <= 'j'; ++letter) {
            if (chance(2)) {
                registry.setString(key, std::string(1, letter), std::string("cmd ") + letter);
                order += letter;
            }
        }
        registry.setString(key, "MRUList", order);
        if (chance(8)) {
            registry.readOnly(key);
        }
    }

    std::mt19937 random_;
};

} // namespace vp::test
