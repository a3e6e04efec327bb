#include "shell/sound_bank.h"

SoundBank::SoundBank()
{
}
