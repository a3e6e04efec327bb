#include "shell/sound_bank.h"

#include "platform/own_file.h"
#include "platform/program_folder.h"

#include <system_error>

namespace {

constexpr const char* soundFolderName = "sound";
// Larger files are no sound effect; they are left out rather than held in memory.
constexpr std::uintmax_t soundFileLimit = 64u << 20;

// The first "sound" folder of the data folders: the working directory's, the
// one beside the program, then an installed program's.
std::filesystem::path soundFolder()
{
    std::error_code error;
    for (const std::filesystem::path& folder : platform::dataFolders()) {
        if (std::filesystem::is_directory(folder / soundFolderName, error))
            return folder / soundFolderName;
    }
    return soundFolderName;
}

// The whole file into bytes; false, with bytes untouched, when it cannot be
// read. Only a plain file is read: a FIFO or a device is never waited on.
bool readWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
    const platform::PlainFile file(path.string(), platform::Access::read, platform::Links::follow);
    if (file.outcome != platform::PlainOpen::opened || static_cast<std::uintmax_t>(file.info.st_size) > soundFileLimit)
        return false;
    // Nor is one that grew past the limit since it was opened.
    std::optional<std::vector<std::uint8_t>> read = platform::readUpTo(file, soundFileLimit + 1);
    if (!read || read->size() > soundFileLimit)
        return false;
    bytes = std::move(*read);
    return true;
}

} // namespace

SoundBank::SoundBank()
{
    const std::filesystem::path folder = soundFolder();
    for (const SoundFile& file : soundFiles)
        loadSlot(file.slot, folder / file.name);
    readWholeFile(folder / chimeFile, chime);
}

int SoundBank::loadSlot(int slot, const std::filesystem::path& path)
{
    if (slot < 0 || slot >= soundSlotCount)
        return 0;
    SoundSlot& target = slots[static_cast<std::size_t>(slot)];
    if (!readWholeFile(path, target.data))
        return 0;
    target.loaded = 1;
    return 1;
}

void SoundBank::play(int slot)
{
    if (slot < 0 || slot >= soundSlotCount) {
        audio.stop();
        return;
    }
    audio.play(slots[static_cast<std::size_t>(slot)].data);
}

void SoundBank::playChime()
{
    audio.play(chime);
}

void SoundBank::stop()
{
    audio.stop();
}
