#include "shell/sound_bank.h"

SoundBank::SoundBank()
{
}

void SoundBank::play(int)
{
}
