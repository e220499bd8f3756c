#!/usr/bin/env bash
# Missing content, file by file: removes one file of the run tree at a time (a copy of the
# small set's tree, linked, not copied) and captures one frame of the scene that reads it.
# Every case must end by itself within its time limit, without a signal, and with a message
# that names the missing file; a scene that carries on without the file exits 0.
# A mesh's cache goes with its mesh, and the copy holds no shader twins: either would stand in.
# Families (the 56 walk frames, the 930 depth TIFFs) are represented by their first member.
# By default only the rows marked "*" run (one file of each kind, from the scenes that load
# quickly), to keep CI short; VELLUNA_MISSING_ALL=1 runs them all (179 cases, ~20 min idle).
set -euo pipefail
: "${DISPLAY:?needs a display (scripts/test runs this under Xvfb)}"
show=$VELLUNA_BUILD/show
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }
[[ -x $show/bin/velluna && -f $show/newresources/voronoimap.bin ]] ||
    { echo "FAIL: no run tree in $show (scripts/build assembles it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# <mark> <file under the run tree> <the scene that reads it> [listed]
# "listed": the scene finds the file by listing its folder, so without it the family is one
# shorter and the scene carries on quietly (exit 0, no message) -- also a pass.
# "played": read only when its frame plays, after the one captured frame; exit 0 is the pass
# (the scene names it when it gets there).
table='
* newresources/2.ascbbcomp Part_ParticleShadowRainbow
* newresources/3/D_00175.tiff Part_KinectEffect listed
* newresources/3/Dv00175.tiff Part_KinectEffect played
* newresources/agalma2.objb Part_DEMOLidarTree
  newresources/agalma3.objb Part_ParticleShadow
  newresources/agalma3cut.objb Part_Fallers
  newresources/agalma3simple.objb Part_Fallers
  newresources/bg03.jpg Part_Fallers
  newresources/bird.objb Part_DEMOLidarTree
  newresources/boattex.jpg Part_ParticleShadowBoat
  newresources/buffalo.objb Part_ParticleShadowForest
  newresources/cupidhead.objb Part_Fallers
  newresources/eyes.objb Part_ParticleShadowBoat
  newresources/fallers.objb Part_Fallers
  newresources/floralPost.png Part_DEMOLidarTree
  newresources/gto.objb Part_ParticleShadowBoat
  newresources/headsgarbled.objb Part_ParticleShadowBoat
  newresources/island.objb Part_ParticleShadowBoat
  newresources/lidar4.objb Part_DEMOLidarTree
  newresources/marble.jpg Part_ParticleShadowRainbow
  newresources/moon.jpg Part_Fallers
  newresources/peoplerow.objb Part_ParticleShadowBoat
  newresources/qrbplane.objb Part_DEMOLidarTree
  newresources/sceneboat.objb Part_ParticleShadowBoat
* newresources/skybox.png Part_ParticleShadowRainbow
* newresources/smalltown2.ascbbcomp Part_LidarAOStart
  newresources/standing.objb Part_DEMOLidarTree
  newresources/standing3.objb Part_ParticleShadowForest
* newresources/theloader.jpg Part_ParticleShadowRainbow
* newresources/try1.sav Part_LidarAOStart
  newresources/velluna.objb Part_KinectEffect
* newresources/velocity.dat Part_ParticleShadowRainbow
* newresources/voronoimap.bin Part_ParticleShadowRainbow
* newresources/walkers2/mesh.0001.objb Part_ParticleShadowRainbow
  newresources/wood1.jpg Part_ParticleShadowBoat
  newresources/wood2.jpg Part_KinectEffect
  shaders/DEMOLidarTree/f_Material1.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_Material1Agalma.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_Material1City.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_Material1Green.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_MaterialRenderer1.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_ScreenSpaceEffect.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_blur.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_postprocessSSAO.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/f_postprocessSSAO_post.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1Agalma.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1Bird.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1City.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1City2.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_Material1green.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_MaterialRenderer1.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_blur.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_postprocess.cpp Part_DEMOLidarTree
  shaders/DEMOLidarTree/v_postprocess_post.cpp Part_DEMOLidarTree
  shaders/KinectEffect/1/f_blur.cpp Part_KinectEffect
  shaders/KinectEffect/1/f_postprocessSSAO.cpp Part_KinectEffect
  shaders/KinectEffect/1/v_blur.cpp Part_KinectEffect
  shaders/KinectEffect/1/v_postprocess.cpp Part_KinectEffect
  shaders/KinectEffect/ComputeShader1Rain.cpp Part_KinectEffect
  shaders/KinectEffect/ComputeShader1start.cpp Part_KinectEffect
  shaders/KinectEffect/f_particles.cpp Part_KinectEffect
  shaders/KinectEffect/f_particlesstart.cpp Part_KinectEffect
  shaders/KinectEffect/f_postprocessSSAO.cpp Part_KinectEffect
  shaders/KinectEffect/v_particlesRain.cpp Part_KinectEffect
  shaders/KinectEffect/v_particlesstart.cpp Part_KinectEffect
  shaders/KinectEffect/v_postprocess.cpp Part_KinectEffect
  shaders/LidarAO/1/f_blur.cpp Part_LidarAO
  shaders/LidarAO/1/f_postprocessSSAO.cpp Part_LidarAO
  shaders/LidarAO/1/v_blur.cpp Part_LidarAO
  shaders/LidarAO/1/v_postprocess.cpp Part_LidarAO
  shaders/LidarAO/ComputeShader1.cpp Part_LidarAO
  shaders/LidarAO/f_Material1.cpp Part_LidarAO
  shaders/LidarAO/f_Smog.cpp Part_LidarAO
  shaders/LidarAO/f_particles.cpp Part_LidarAO
  shaders/LidarAO/f_postprocessSSAO.cpp Part_LidarAO
  shaders/LidarAO/f_postprocessSSAOFlow.cpp Part_LidarAO
  shaders/LidarAO/v_Material1.cpp Part_LidarAO
  shaders/LidarAO/v_Material1Trees.cpp Part_LidarAO
  shaders/LidarAO/v_particles.cpp Part_LidarAO
  shaders/LidarAO/v_postprocess.cpp Part_LidarAO
  shaders/LidarAO/v_smog.cpp Part_LidarAO
* shaders/LidarAOStart/1/f_blur.cpp Part_LidarAOStart
  shaders/LidarAOStart/1/f_postprocessSSAO.cpp Part_LidarAOStart
  shaders/LidarAOStart/1/v_blur.cpp Part_LidarAOStart
  shaders/LidarAOStart/1/v_postprocess.cpp Part_LidarAOStart
  shaders/LidarAOStart/f_Material1.cpp Part_LidarAOStart
  shaders/LidarAOStart/f_Smog.cpp Part_LidarAOStart
  shaders/LidarAOStart/f_particles.cpp Part_LidarAOStart
  shaders/LidarAOStart/f_postprocessSSAO.cpp Part_LidarAOStart
  shaders/LidarAOStart/v_Material1.cpp Part_LidarAOStart
  shaders/LidarAOStart/v_Material1Trees.cpp Part_LidarAOStart
  shaders/LidarAOStart/v_particles.cpp Part_LidarAOStart
  shaders/LidarAOStart/v_postprocess.cpp Part_LidarAOStart
  shaders/LidarAOStart/v_smog.cpp Part_LidarAOStart
  shaders/ParticleShadow/1/f_blur.cpp Part_ParticleShadow
  shaders/ParticleShadow/1/f_postprocessSSAO.cpp Part_ParticleShadow
  shaders/ParticleShadow/1/v_blur.cpp Part_ParticleShadow
  shaders/ParticleShadow/1/v_postprocess.cpp Part_ParticleShadow
  shaders/ParticleShadow/ComputeShader1.cpp Part_ParticleShadow
  shaders/ParticleShadow/ComputeShader12.cpp Part_ParticleShadow
  shaders/ParticleShadow/ComputeShader12Agalma.cpp Part_ParticleShadow
  shaders/ParticleShadow/f_Material1.cpp Part_ParticleShadow
  shaders/ParticleShadow/f_postprocessSSAO.cpp Part_ParticleShadow
  shaders/ParticleShadow/v_Material1.cpp Part_ParticleShadow
  shaders/ParticleShadow/v_postprocess.cpp Part_ParticleShadow
  shaders/ParticleShadowBoat/1/f_blur.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/1/f_postprocessSSAO.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/1/v_blur.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/1/v_postprocess.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/ComputeShader1.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/f_Material1.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/f_Smog.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/f_particles.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/f_postprocessSSAO.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/v_Material1.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/v_particles.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/v_postprocess.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowBoat/v_smog.cpp Part_ParticleShadowBoat
  shaders/ParticleShadowForest/ComputeShader1.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/ComputeShader12.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/f_Material1.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/f_Material12.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/f_Smog.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/f_particles.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/f_postprocessSSAO.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/v_Material1.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/v_particles.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/v_postprocess.cpp Part_ParticleShadowForest
  shaders/ParticleShadowForest/v_smog.cpp Part_ParticleShadowForest
  shaders/ParticleShadowSkull/1/f_blur.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/1/f_postprocessSSAO.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/1/v_blur.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/1/v_postprocess.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/ComputeShader1.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/ComputeShader12.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/f_Material1.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/f_Smog.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/f_particles.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/f_postprocessSSAO.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/v_Material1.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/v_particles.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/v_postprocess.cpp Part_ParticleShadowSkull
  shaders/ParticleShadowSkull/v_smog.cpp Part_ParticleShadowSkull
* shaders/common/f_Smog2.cpp Part_Fallers
  shaders/common/f_fixed.cpp Part_ParticleShadowRainbow
  shaders/common/f_fixedBlack2.cpp Part_ParticleShadowBoat
  shaders/common/f_fixedObjb.cpp Part_Fallers
  shaders/common/f_fixedObjb2black.cpp Part_Fallers
  shaders/common/f_fixedObjb3.cpp Part_ParticleShadowForest
  shaders/common/f_fixedtexture.cpp Part_ParticleShadowRainbow
  shaders/common/f_fixedtexture2.cpp Part_LidarAOStart
  shaders/common/f_fixedtexture33.cpp Part_Fallers
  shaders/common/f_fixedtexture4.cpp Part_ParticleShadowBoat
  shaders/common/f_fixedtexture4b.cpp Part_LidarAO
  shaders/common/f_fixedtexture4c.cpp Part_DEMOLidarTree
  shaders/common/v_fixed.cpp Part_ParticleShadowRainbow
  shaders/common/v_fixed2.cpp Part_LidarAOStart
  shaders/common/v_fixed3.cpp Part_Fallers
  shaders/common/v_fixed4.cpp Part_ParticleShadowBoat
  shaders/common/v_fixed4b.cpp Part_LidarAO
  shaders/common/v_fixed4c.cpp Part_DEMOLidarTree
  shaders/common/v_fixedObjb.cpp Part_Fallers
  shaders/common/v_smog.cpp Part_Fallers
  shaders/f_Material1.cpp Part_KinectEffect
  shaders/fallers/1/f_postprocessSSAO.cpp Part_Fallers
  shaders/fallers/1/v_postprocess.cpp Part_Fallers
  shaders/fallers/ComputeShader1.cpp Part_Fallers
  shaders/fallers/f_Material1.cpp Part_Fallers
  shaders/fallers/f_blur.cpp Part_Fallers
  shaders/fallers/f_particles.cpp Part_Fallers
  shaders/fallers/f_postprocessSSAO.cpp Part_Fallers
  shaders/fallers/v_Material1.cpp Part_Fallers
  shaders/fallers/v_blur.cpp Part_Fallers
  shaders/fallers/v_particles.cpp Part_Fallers
  shaders/fallers/v_postprocess.cpp Part_Fallers
  shaders/particleShadow/v_particles.cpp Part_ParticleShadow
  shaders/particleshadow/f_particles.cpp Part_ParticleShadow
  shaders/v_Material1.cpp Part_KinectEffect
'

folder_links=()
while IFS= read -r -d '' link; do folder_links+=("${link#"$show"/}"); done \
    < <(find -H "$show" -type l -xtype d -print0)
failed=0
cases=0
printf '%-48s %-28s %5s %s\n' file scene exit outcome
while read -r mark file scene how; do
    [[ -n $mark ]] || continue
    if [[ $mark != "*" ]]; then
        [[ ${VELLUNA_MISSING_ALL:-0} == 1 ]] || continue
        how=$scene; scene=$file; file=$mark   # an unmarked row has no mark column
    fi
    [[ -f $show/$file ]] || { fail "$file is not in the run tree"; continue; }
    cases=$((cases + 1))
    tree=$work/tree
    rm -rf "$tree"
    cp -as "$show/." "$tree"          # a tree of links: cheap, and the original stays whole
    # Nothing in the copy may lead back into the original. cp -s links a link to the link
    # itself, so a folder link (a second spelling of a shader folder) is copied as it is. The
    # shaders' twins are left out: the show rewrites each twin as it loads its source (through
    # a link, into the original), and a twin would stand in for a missing source.
    for link in "${folder_links[@]}"; do rm -f "$tree/$link"; cp -P "$show/$link" "$tree/$link"; done
    find "$tree/shaders" -name '*.sbn' -type l -delete
    rm -f "$tree/$file"
    rm -f "$tree/${file}comp"
    [[ -e $show/$file ]] || { fail "$file: removing it from the copy removed it from $show"; continue; }
    rc=0
    (cd "$tree/bin" && timeout 240 ./velluna --capture "$work/cap" --scene "$scene" --frames 1 \
        --size 160x90 >"$work/log" 2>&1) || rc=$?
    name=$(basename "$file")
    if [[ $rc -eq 124 ]]; then
        outcome="hang (timeout)"; fail "$file: $outcome"; tail -5 "$work/log"
    elif [[ $rc -gt 128 ]]; then
        outcome="signal $((rc - 128))"; fail "$file: $outcome"; tail -15 "$work/log"
    elif [[ ${how:-} == played && $rc -eq 0 ]] && ! grep -q -F "$name" "$work/log"; then
        outcome="carries on (not read in the first frame)"
    elif [[ ${how:-} == listed && $rc -eq 0 ]] && ! grep -q -F "$name" "$work/log"; then
        outcome="carries on without it (found by listing its folder)"
    elif ! grep -q -F "$name" "$work/log"; then
        outcome="no message names $name"; fail "$file: $outcome"; tail -5 "$work/log"
    else
        outcome=$(grep -m1 -F "$name" "$work/log" | cut -c1-110)
    fi
    printf '%-48s %-28s %5s %s\n' "$file" "$scene" "$rc" "$outcome"
done <<<"$table"
echo "$cases cases, $failed failed"
[[ $failed -eq 0 ]] || exit 1
echo PASS
