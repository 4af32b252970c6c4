// Bitmap fonts: fonts 0..15 live in sprite slots 65520..65535.
#pragma once
