# What an install holds, relative to its prefix: the game, the menu entry with its launcher
# and icon, the metadata, the manual page and the demo game. Nothing else may be there.
expected_files() {
  printf '%s\n' \
    bin/velmora \
    libexec/velmora/velmora-launch \
    share/applications/velmora.desktop \
    share/icons/hicolor/scalable/apps/velmora.svg \
    share/metainfo/org.velmora.velmora.metainfo.xml \
    share/man/man6/velmora.6.gz \
    share/velmora/demo/data/qelvart.red \
    share/velmora/demo/wav/01.wav \
    share/velmora/demo/wav/02.wav \
    share/velmora/demo/wav/03.wav \
    share/velmora/demo/wav/04.wav
}
