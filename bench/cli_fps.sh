#!/usr/bin/env bash
# Frames per second of corvane against ffmpeg doing the same job on the same clip, with the same
# thread count: a 1080p 10-bit ProRes clip of 100 frames through "Corvane generic" in Overlay
# against ffmpeg's blend filter in overlay mode (on the clips' YCbCr planes as they come, and on
# RGB as corvane blends), and, once the module's oscilloscope renders,
# `corvane qc` against ffmpeg's signalstats writing its per-frame report. Prints the median of
# RUNS runs of each.
#
#   bench/cli_fps.sh [BUILD_DIR] [RUNS]        (default build/release, 5 runs)
#
# Needs the release build of corvane (cmake --preset release && cmake --build --preset release
# --target corvane) and the ffmpeg program (bash .ci/deps ffmpeg). Wrap it in the build lock.
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
corvane="$build/tools/corvane/corvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ffmpeg -v error -f lavfi -i testsrc2=s=1920x1080:r=25 -frames:v 100 -pix_fmt yuv422p10le \
  -c:v prores_ks -profile:v 2 "$work/a.mov"
ffmpeg -v error -f lavfi -i smptehdbars=s=1920x1080:r=25 -frames:v 100 -pix_fmt yuv422p10le \
  -c:v prores_ks -profile:v 2 "$work/b.mov"

# Median wall time of a command, in seconds.
median() {
  local times=()
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}')")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

fps() { awk -v s="$1" 'BEGIN {printf "%.1f", 100 / s}'; }

to_rgb="scale=in_color_matrix=bt709:in_range=tv,format=gbrp10le"
printf '%-44s %8s %8s\n' "job (100 frames of 1080p 10-bit ProRes)" "threads" "fps"
for t in 1 2; do
  s=$(median "$corvane" render generic -i "$work/a.mov" -i "$work/b.mov" -o "$work/c.mov" \
      --set "Blend Mode=Overlay" --threads "$t" -q)
  printf '%-44s %8s %8s\n' "corvane render generic, Overlay" "$t" "$(fps "$s")"
  # The same encoder in the profile corvane writes for 10-bit 4:2:2 (prores_ks chooses HQ):
  # Standard would give FFmpeg a lighter file to write than corvane's.
  s=$(median ffmpeg -y -threads "$t" -i "$work/a.mov" -threads "$t" -i "$work/b.mov" \
      -filter_threads "$t" -filter_complex "[0:v][1:v]blend=all_mode=overlay" \
      -c:v prores_ks -profile:v hq -threads "$t" "$work/f.mov")
  printf '%-44s %8s %8s\n' "ffmpeg blend=all_mode=overlay" "$t" "$(fps "$s")"
  # The same job as corvane's: blend filters work on each plane as it comes, so on YCbCr they
  # blend luma and colour difference, not R, G and B. Here both clips go to 10-bit RGB with
  # the Rec.709 matrix first, and the result comes back the same way.
  s=$(median ffmpeg -y -threads "$t" -i "$work/a.mov" -threads "$t" -i "$work/b.mov" \
      -filter_threads "$t" -filter_complex "[0:v]$to_rgb[x];[1:v]$to_rgb[y];\
[x][y]blend=all_mode=overlay,scale=out_color_matrix=bt709:out_range=tv,format=yuv422p10le" \
      -c:v prores_ks -profile:v hq -threads "$t" "$work/g.mov")
  printf '%-44s %8s %8s\n' "ffmpeg blend in RGB (the same job)" "$t" "$(fps "$s")"
done

# What the encoder alone costs on each route's picture: prores_ks spends more on a picture with
# more detail, and the blend in RGB (corvane's and ffmpeg's second route) keeps more of it than
# the blend of the YCbCr planes, so the routes' outputs are not equally dear to write. Each
# output of the last runs above, decoded and encoded again on one thread.
for out in c:"corvane's" f:"ffmpeg blend's" g:"ffmpeg RGB blend's"; do
  s=$(median ffmpeg -y -threads 1 -i "$work/${out%%:*}.mov" -c:v prores_ks -profile:v hq \
      -threads 1 "$work/r.mov")
  printf '%-44s %8s %8s\n' "prores_ks alone: ${out#*:} picture" 1 "$(fps "$s")"
done

if "$corvane" qc "$work/a.mov" --frames 0:0 -q >/dev/null 2>&1 || [ $? -eq 1 ]; then
  for t in 1 2; do
    s=$(median "$corvane" qc "$work/a.mov" --threads "$t" -q)
    printf '%-44s %8s %8s\n' "corvane qc" "$t" "$(fps "$s")"
    s=$(median ffmpeg -threads "$t" -i "$work/a.mov" -filter_threads "$t" \
        -vf "signalstats,metadata=print:file=$work/stats.txt" -f null -)
    printf '%-44s %8s %8s\n' "ffmpeg signalstats per-frame report" "$t" "$(fps "$s")"
  done
else
  echo "qc: skipped, this module's oscilloscope does not render yet"
fi
