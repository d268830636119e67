# Turns the run's results (name,statistic,figure,value lines) into the Markdown of BENCHMARKS.md.
# Called by bench/run.sh with -F, and the variables machine, compiler and date.
{ v[$1, $2, $3] = $4 }

function get(name, stat, figure) { return ((name, stat, figure) in v) ? v[name, stat, figure] : "" }
function num(x, digits) { return x == "" ? "–" : sprintf("%." digits "f", x) }
function ratio(a, b) { return (a == "" || b == "" || b == 0) ? "–" : sprintf("%.2f", a / b) }
function largest(prefix, stat, figure,   key, parts, found) {
  found = ""
  for (key in v) {
    split(key, parts, SUBSEP)
    if (index(parts[1], prefix) == 1 && parts[2] == stat && parts[3] == figure)
      if (found == "" || v[key] + 0 > found + 0) found = v[key]
  }
  return found
}
function first(prefix, stat, figure,   key, parts) {
  for (key in v) {
    split(key, parts, SUBSEP)
    if (index(parts[1], prefix) == 1 && parts[2] == stat && parts[3] == figure) return v[key]
  }
  return ""
}

END {
  split("SlapBack WalkingShadow Stadium FiltersOff", cases, " ")
  split("64 512", blocks, " ")
  memory = get("Memory/ZvDelay32", "median", "bytes_per_instance")
  peerMemory = get("Memory/LspArtDelay", "median", "bytes_per_instance")

  printf "Run of %s on %s; %s.\n\n", date, machine, compiler
  print "| Program | Block | ns per frame, median (min–max) | ÷ floor | LSP ÷ ours, in-process | LSP ÷ ours, zvhost | Tail ÷ signal | Memory per instance | Instances per core (300 running) |"
  print "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
  for (c = 1; c <= 4; c++) {
    for (b = 1; b <= 2; b++) {
      name = cases[c]; block = blocks[b]
      ours = get("Process/" name "/" block, "median", "ns_per_frame")
      low = get("Process/" name "/" block, "min", "ns_per_frame")
      high = get("Process/" name "/" block, "max", "ns_per_frame")
      floor = get("Floor/" name "/" block, "median", "ns_per_frame")
      peer = get("Plugin/LspArtDelay/" block, "median", "ns_per_frame")
      hostedOurs = get("Zvhost/" name "/" block, "median", "ns_per_frame")
      hostedPeer = get("Zvhost/LspArtDelay/" block, "median", "ns_per_frame")
      echo = get("Zvhost/LspArtDelay/" block, "min", "echo_level")
      hosted = ratio(hostedPeer, hostedOurs)
      if (hosted != "–" && echo != "" && echo + 0 < 0.01) hosted = hosted " (peer silent¹)"
      silence = get("Tail/" name "/silence/" block, "median", "ns_per_frame")
      signal = get("Tail/" name "/signal/" block, "median", "ns_per_frame")
      instances = get("Instances/" name "/" block "/300", "median", "instances_per_core")
      printf "| %s | %s | %s (%s–%s) | %s | %s | %s | %s | %s | %s |\n", name, block, num(ours, 1),
             num(low, 1), num(high, 1), ratio(ours, floor), ratio(peer, ours), hosted,
             ratio(silence, signal), memory == "" ? "–" : sprintf("%.2f MB", memory / 1e6),
             num(instances, 0)
    }
  }

  print ""
  print "Two lanes and four, same run (\"Process\" above is four lanes where the processor has AVX2):"
  print ""
  print "| Program | Block | Four lanes (ns per frame) | Two lanes | Two ÷ four | Four-lane floor | Four ÷ four-lane floor | Poles alone |"
  print "|---|---:|---:|---:|---:|---:|---:|---:|"
  for (c = 1; c <= 4; c++) {
    for (b = 1; b <= 2; b++) {
      name = cases[c]; block = blocks[b]
      four = get("Process/" name "/" block, "median", "ns_per_frame")
      two = get("ProcessTwoLanes/" name "/" block, "median", "ns_per_frame")
      lanesFloor = get("FloorFourLanes/" name "/" block, "median", "ns_per_frame")
      poles = get("FloorPoles/" block, "median", "ns_per_frame")
      printf "| %s | %s | %s | %s | %s | %s | %s | %s |\n", name, block, num(four, 1), num(two, 1),
             ratio(two, four), num(lanesFloor, 1), ratio(four, lanesFloor), num(poles, 1)
    }
  }

  print ""
  print "The peer and the floor, same run:"
  print ""
  print "| Measurement | Block 64 | Block 512 |"
  print "|---|---:|---:|"
  for (c = 1; c <= 4; c++)
    printf "| Floor, %s (ns per frame) | %s | %s |\n", cases[c],
           num(get("Floor/" cases[c] "/64", "median", "ns_per_frame"), 1),
           num(get("Floor/" cases[c] "/512", "median", "ns_per_frame"), 1)
  printf "| LSP Artistic Delay, in-process (ns per frame; echo found at %s ms) | %s | %s |\n",
         num(get("Plugin/LspArtDelay/512", "median", "echo_ms"), 1),
         num(get("Plugin/LspArtDelay/64", "median", "ns_per_frame"), 1),
         num(get("Plugin/LspArtDelay/512", "median", "ns_per_frame"), 1)
  printf "| ZvDelay32.so SlapBack, in-process through its record (ns per frame) | %s | %s |\n",
         num(get("Plugin/ZvDelay32/64", "median", "ns_per_frame"), 1),
         num(get("Plugin/ZvDelay32/512", "median", "ns_per_frame"), 1)
  printf "| LSP Artistic Delay through zvhost (ns per frame, with file I/O) | %s | %s |\n",
         num(get("Zvhost/LspArtDelay/64", "median", "ns_per_frame"), 1),
         num(get("Zvhost/LspArtDelay/512", "median", "ns_per_frame"), 1)
  printf "| ZvDelay32 SlapBack through zvhost (ns per frame, with file I/O) | %s | %s |\n",
         num(get("Zvhost/SlapBack/64", "median", "ns_per_frame"), 1),
         num(get("Zvhost/SlapBack/512", "median", "ns_per_frame"), 1)
  printf "| LSP delay's echo level at the end of the zvhost render (0: not sounding) | %s | %s |\n",
         num(get("Zvhost/LspArtDelay/64", "min", "echo_level"), 3),
         num(get("Zvhost/LspArtDelay/512", "min", "echo_level"), 3)
  printf "| Resident memory per instance (MB): ZvDelay32 / LSP | %s / %s | |\n",
         memory == "" ? "–" : sprintf("%.3f", memory / 1e6),
         peerMemory == "" ? "–" : sprintf("%.3f", peerMemory / 1e6)

  print ""
  print "Silence, changes and scaling (SlapBack unless named):"
  print ""
  print "| Measurement | Median | Min–max |"
  print "|---|---:|---:|"
  printf "| Subnormal outputs in any tail run (3 minutes after the burst, then timed) | %s | |\n",
         num(largest("Tail/", "max", "subnormal_outputs"), 0)
  printf "| Unflushed floor: silence ÷ signal (what flushing saves) | %s | |\n",
         ratio(get("Tail/UnflushedFloor/silence/512", "median", "ns_per_frame"),
               get("Tail/UnflushedFloor/signal/512", "median", "ns_per_frame"))
  split("Delay/SlapBack Delay/Longest SampleRate/SlapBack SampleRate/Longest", changes, " ")
  for (i = 1; i <= 4; i++) {
    prefix = "Change/" changes[i] "/"
    printf "| %s change, µs on the audio thread (%s-sample line) | %s | %s–%s |\n", changes[i],
           num(first(prefix, "median", "delay_samples"), 0), num(first(prefix, "median", "us_per_change"), 1),
           num(first(prefix, "min", "us_per_change"), 1), num(first(prefix, "max", "us_per_change"), 1)
  }
  split("16 64 256 1024 4096", frames, " ")
  for (i = 1; i <= 5; i++)
    printf "| Blocks of %s frames, ns per frame | %s | %s–%s |\n", frames[i],
           num(get("Scaling/Frames/" frames[i], "median", "ns_per_frame"), 1),
           num(get("Scaling/Frames/" frames[i], "min", "ns_per_frame"), 1),
           num(get("Scaling/Frames/" frames[i], "max", "ns_per_frame"), 1)
  split("1 100 1000 10000 47999", lengths, " ")
  for (i = 1; i <= 5; i++)
    printf "| Delay length %s samples (block 512), ns per frame | %s | %s–%s |\n", lengths[i],
           num(get("Scaling/DelaySamples/" lengths[i], "median", "ns_per_frame"), 1),
           num(get("Scaling/DelaySamples/" lengths[i], "min", "ns_per_frame"), 1),
           num(get("Scaling/DelaySamples/" lengths[i], "max", "ns_per_frame"), 1)
  split("1 100 300 500", counts, " ")
  for (i = 1; i <= 4; i++)
    printf "| Instances per core, %s running (64-frame blocks) | %s | %s–%s |\n", counts[i],
           num(get("Instances/SlapBackBySessionSize/" counts[i], "median", "instances_per_core"), 0),
           num(get("Instances/SlapBackBySessionSize/" counts[i], "min", "instances_per_core"), 0),
           num(get("Instances/SlapBackBySessionSize/" counts[i], "max", "instances_per_core"), 0)
  print ""
  print "¹ The LSP plug-in takes up new settings on a thread of its own, in wall-clock time; zvhost"
  print "renders faster than real time, so the peer may still be passing its input through when the"
  print "render ends. Such a ratio compares against a plug-in doing nothing; the in-process column"
  print "lets the peer settle first (and checks that its echo sounds at 250 ms)."
}
