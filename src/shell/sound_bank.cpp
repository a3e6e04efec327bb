#include "shell/sound_bank.h"

SoundBank::SoundBank()
{
}

void SoundBank::play(int)
{
}

void SoundBank::playChime()
{
}

void SoundBank::stop()
{
}
