# Sourced by the scripts that put files into the runnable folder.
# install_if_changed TAG MODE SRC DST: copies SRC to DST only when the content differs, so that
# timestamps stay put for the build. The copy goes beside the target and is renamed over it,
# so a reader never sees half a file; the mode is set explicitly because the source may be
# read-only.
install_if_changed() {
    local tag=$1 mode=$2 src=$3 dst=$4
    if [ -f "$dst" ] && cmp -s "$src" "$dst"; then
        echo "$tag: $dst is up to date"
        return 0
    fi
    cp -f "$src" "$dst.tmp.$$"
    chmod "$mode" "$dst.tmp.$$"
    mv -f "$dst.tmp.$$" "$dst"
    echo "$tag: wrote $dst"
}
