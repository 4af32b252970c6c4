// LoadSound, PlaySound, SoundPlaying and StopSounds over the slot records.
#include <SDL_mixer.h>

#include <string>

#include "aerox/sound.h"
#include "gfx/data_resolver.h"
#include "runtime/command_trace.h"
#include "runtime/engine_required.h"
#include "sound/sound_levels.h"
#include "sound/sound_store.h"
#include "sound/wav_reader.h"

namespace {

bool DeviceOpen(const SoundSlot& slot) { return slot.device != nullptr && slot.device->open; }

// The file a sound name means: what the data resolver makes of it, or the
// name itself when there is no resolver or it finds nothing.
std::string ResolveSoundFile(const std::string& name) {
    if (g_dataResolvers[0] == nullptr) return name;
    std::string resolved;
    ResolveDataFile(*g_dataResolvers[0], name, resolved);
    return resolved.empty() ? name : resolved;
}

bool FillSlot(SoundSlot& slot, int slotNumber, const std::string& file, int buffers) {
    SoundDevice& device = *slot.device;
    WavSound wav;
    if (!ReadWavFile(file, wav)) return false;
    if (!ConvertToMixFormat(wav, device.mix, slot.samples)) return false;
    slot.chunk = Mix_QuickLoad_RAW(slot.samples.data(), static_cast<Uint32>(slot.samples.size()));
    if (slot.chunk == nullptr) return false;
    for (int b = 0; b < buffers; ++b) {
        const int channel = slotNumber * kBuffersPerSlot + b;
        slot.channel[b] = channel < device.channelCount ? channel : -1;
    }
    slot.bufferCount = buffers;
    return true;
}

// Starts one of the slot's buffers: its index, or -1 when none was played.
int PlaySlot(SoundSlot& slot, int pan, int percent) {
    if (slot.bufferCount == 0 || !DeviceOpen(slot)) return -1;
    int channel = slot.channel[slot.currentBuffer];
    if (channel < 0) return -1;
    if (Mix_Playing(channel) != 0) {
        // A single-buffer sound is not restarted while it sounds; otherwise
        // the next buffer is cut off and started again.
        if (slot.bufferCount == 1) return -1;
        slot.currentBuffer = (slot.currentBuffer + 1) % slot.bufferCount;
        channel = slot.channel[slot.currentBuffer];
        if (channel < 0) return -1;
        if (Mix_Playing(channel) != 0) Mix_HaltChannel(channel);
    }
    Mix_Volume(channel, MixerVolumeFromAttenuation(AttenuationFromPercent(percent)));
    // The mixer drops a channel's panning when it stops, so it is set anew.
    const PanGains gains = PanGainsFromPan(pan);
    Mix_SetPanning(channel, gains.left, gains.right);
    if (Mix_PlayChannel(channel, slot.chunk, 0) < 0) return -1;
    return slot.currentBuffer;
}

}  // namespace

bool SlotFromCommand(double number, int& slot) {
    if (!(number > -1.0)) return false;
    slot = number >= kLastReachableSlot ? kLastReachableSlot : static_cast<int>(number);
    return true;
}

int BufferCountFromCommand(double number) {
    if (!(number >= 1.0)) return 1;
    if (number >= kBuffersPerSlot) return kBuffersPerSlot;
    return static_cast<int>(number);
}

void EmptySoundSlot(SoundSlot& slot) {
    if (DeviceOpen(slot)) {
        for (int b = 0; b < slot.bufferCount; ++b)
            if (slot.channel[b] >= 0) Mix_HaltChannel(slot.channel[b]);
    }
    if (slot.chunk != nullptr) {
        Mix_FreeChunk(slot.chunk);
        slot.chunk = nullptr;
    }
    slot.samples.clear();
    slot.samples.shrink_to_fit();
    for (int& c : slot.channel) c = -1;
    slot.bufferCount = 0;
    slot.currentBuffer = 0;
}

void LoadSound(const RtString& path, double slot, double buffers) {
    TraceCommand("LoadSound", {slot, buffers}, path.Text());
    int number = 0;
    // A slot number of -1 or less names no slot: nothing happens.
    if (!RequireEngine(g_soundSlots != nullptr, "LoadSound") || !SlotFromCommand(slot, number)) return;
    const int count = BufferCountFromCommand(buffers);
    SoundSlot& target = g_soundSlots[number];
    EmptySoundSlot(target);
    target.device = g_soundDevice;
    if (!DeviceOpen(target)) return;
    const std::string name(path.Text());
    if (!FillSlot(target, number, ResolveSoundFile(name), count)) {
        EmptySoundSlot(target);
        LogLoadFailure("LoadSound", name, "a WAV sound");
    }
}

double PlaySound(double slot, double pan, double volume) {
    TraceCommand("PlaySound", {slot, pan, volume});
    int number = 0;
    if (!RequireEngine(g_soundSlots != nullptr, "PlaySound") || !SlotFromCommand(slot, number)) return -1;
    const int buffer = PlaySlot(g_soundSlots[number], PanFromCommand(pan), PercentFromCommand(volume));
    return buffer < 0 ? -1 : buffer + 256.0 * number;
}

double SoundPlaying(double handle) {
    if (!RequireEngine(g_soundSlots != nullptr, "SoundPlaying")) return 0;
    if (!(handle >= 0) || handle >= 256.0 * kSoundSlotCount) return 0;
    const int value = static_cast<int>(handle);
    const SoundSlot& slot = g_soundSlots[value >> 8];
    const int buffer = value & 255;
    if (buffer >= slot.bufferCount || !DeviceOpen(slot) || slot.channel[buffer] < 0) return 0;
    return Mix_Playing(slot.channel[buffer]) != 0 ? 1 : 0;
}

void StopSounds() {
    if (!RequireEngine(g_soundSlots != nullptr, "StopSounds")) return;
    for (int s = 0; s <= kLastReachableSlot; ++s) {
        SoundSlot& slot = g_soundSlots[s];
        if (!DeviceOpen(slot)) continue;
        for (int b = 0; b < slot.bufferCount; ++b)
            if (slot.channel[b] >= 0) Mix_HaltChannel(slot.channel[b]);
    }
}
