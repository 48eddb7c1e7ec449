#pragma once

#include <string_view>

#include "tools/simulator/Site.h"

namespace vz::sim {

// The game itself ("/play/?server=N&uid=U"): a small canvas game that fills the window.
// The player moves a shield (mouse, arrow keys or A/D) to catch falling stars and dodge
// fireballs; three lives; every 10 stars the next level falls faster. Space or a click
// starts and restarts, P pauses. In a hidden frame (the login page's quick entry) it
// draws one still picture and runs no loop.
inline constexpr std::string_view kGamePageHtml = R"HTML(<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<title>ZelvoKiravel · 星落守护</title>
<style>
  html, body { margin: 0; height: 100%; overflow: hidden; background: #070b1e; }
  canvas { display: block; width: 100%; height: 100%; cursor: crosshair; }
</style>
</head>
<body>
<canvas id="c"></canvas>
<script>
(function () {
  var canvas = document.getElementById('c');
  var g = canvas.getContext('2d');
  var query = new URLSearchParams(location.search);
  var server = query.get('server') || '1';
  var FONT = '"Microsoft YaHei", "微软雅黑", "Noto Sans CJK SC", sans-serif';
  var W = 0, H = 0, scale = 1;
  var stars = [];
  for (var i = 0; i < 90; i++) stars.push({ x: Math.random(), y: Math.random(), r: Math.random() * 1.4 + 0.3 });

  function resize() {
    scale = window.devicePixelRatio || 1;
    W = Math.max(1, window.innerWidth); H = Math.max(1, window.innerHeight);
    canvas.width = Math.round(W * scale); canvas.height = Math.round(H * scale);
    g.setTransform(scale, 0, 0, scale, 0, 0);
  }

  var state = 'title', score = 0, best = 0, lives = 3, level = 1, caught = 0;
  var shield = { x: 0.5, w: 110, h: 16 };
  var drops = [], sparks = [], spawnIn = 0, last = 0, keys = {};

  function reset() {
    score = 0; lives = 3; level = 1; caught = 0; drops = []; sparks = []; spawnIn = 0.5;
    state = 'play';
  }
  function spawn() {
    var bad = Math.random() < Math.min(0.18 + level * 0.04, 0.5);
    drops.push({ x: 20 + Math.random() * (W - 40), y: -20, bad: bad,
                 v: (110 + level * 28) * (0.8 + Math.random() * 0.5),
                 spin: Math.random() * 6.28 });
  }
  function burst(x, y, color) {
    for (var i = 0; i < 14; i++) {
      var a = Math.random() * 6.28, s = 60 + Math.random() * 160;
      sparks.push({ x: x, y: y, vx: Math.cos(a) * s, vy: Math.sin(a) * s, t: 0.6, c: color });
    }
  }
  function update(dt) {
    for (var i = 0; i < stars.length; i++) {
      stars[i].y += dt * 0.01 * stars[i].r;
      if (stars[i].y > 1) stars[i].y -= 1;
    }
    for (i = sparks.length - 1; i >= 0; i--) {
      var p = sparks[i];
      p.x += p.vx * dt; p.y += p.vy * dt; p.vy += 300 * dt; p.t -= dt;
      if (p.t <= 0) sparks.splice(i, 1);
    }
    if (state !== 'play') return;
    var dir = (keys.ArrowRight || keys.KeyD ? 1 : 0) - (keys.ArrowLeft || keys.KeyA ? 1 : 0);
    shield.x = Math.min(1, Math.max(0, shield.x + dir * dt * 0.9));
    spawnIn -= dt;
    if (spawnIn <= 0) { spawn(); spawnIn = Math.max(0.25, 1.0 - level * 0.08) * (0.6 + Math.random() * 0.8); }
    var sx = shield.x * W, sy = H - 48;
    for (i = drops.length - 1; i >= 0; i--) {
      var d = drops[i];
      d.y += d.v * dt; d.spin += dt * 3;
      if (d.y > sy - 10 && d.y < sy + shield.h && Math.abs(d.x - sx) < shield.w / 2 + 10) {
        drops.splice(i, 1);
        if (d.bad) { lives--; burst(d.x, sy, '#ff5a3a'); if (lives <= 0) { state = 'over'; best = Math.max(best, score); } }
        else { score += 10 * level; caught++; burst(d.x, sy, '#ffd97a'); if (caught % 10 === 0) level++; }
      } else if (d.y > H + 20) {
        drops.splice(i, 1);
      }
    }
  }
  function starShape(x, y, r, a) {
    g.beginPath();
    for (var k = 0; k < 10; k++) {
      var rr = k % 2 ? r * 0.45 : r, aa = a + k * Math.PI / 5;
      g.lineTo(x + Math.cos(aa) * rr, y + Math.sin(aa) * rr);
    }
    g.closePath();
  }
  function text(s, x, y, size, color, align) {
    g.font = 'bold ' + size + 'px ' + FONT; g.fillStyle = color; g.textAlign = align || 'center';
    g.fillText(s, x, y);
  }
  function draw() {
    var sky = g.createLinearGradient(0, 0, 0, H);
    sky.addColorStop(0, '#0b1238'); sky.addColorStop(1, '#241a3e');
    g.fillStyle = sky; g.fillRect(0, 0, W, H);
    g.fillStyle = '#cfd8ff';
    for (var i = 0; i < stars.length; i++) g.fillRect(stars[i].x * W, stars[i].y * H, stars[i].r, stars[i].r);
    g.fillStyle = '#151029'; g.fillRect(0, H - 30, W, 30);
    for (i = 0; i < drops.length; i++) {
      var d = drops[i];
      if (d.bad) {
        var fire = g.createRadialGradient(d.x, d.y, 2, d.x, d.y, 14);
        fire.addColorStop(0, '#fff3a0'); fire.addColorStop(0.5, '#ff7a2a'); fire.addColorStop(1, 'rgba(200,30,10,0)');
        g.fillStyle = fire; g.beginPath(); g.arc(d.x, d.y, 14, 0, 6.29); g.fill();
      } else {
        starShape(d.x, d.y, 12, d.spin); g.fillStyle = '#ffd45a'; g.fill();
        g.strokeStyle = '#fff3c4'; g.lineWidth = 1.5; g.stroke();
      }
    }
    for (i = 0; i < sparks.length; i++) {
      var p = sparks[i];
      g.globalAlpha = Math.max(0, p.t / 0.6); g.fillStyle = p.c; g.fillRect(p.x, p.y, 3, 3);
    }
    g.globalAlpha = 1;
    var sx = shield.x * W, sy = H - 48;
    var metal = g.createLinearGradient(0, sy, 0, sy + shield.h);
    metal.addColorStop(0, '#fff1b8'); metal.addColorStop(1, '#b07a20');
    g.fillStyle = metal;
    g.beginPath();
    g.moveTo(sx - shield.w / 2, sy); g.lineTo(sx + shield.w / 2, sy);
    g.lineTo(sx + shield.w / 2 - 10, sy + shield.h); g.lineTo(sx - shield.w / 2 + 10, sy + shield.h);
    g.closePath(); g.fill();
    text('得分 ' + score, 16, 30, 18, '#ffd97a', 'left');
    text('第 ' + level + ' 关', W / 2, 30, 18, '#cfd8ff');
    text('生命 ' + '♥♥♥♥♥'.slice(0, Math.max(0, lives)), W - 16, 30, 18, '#ff7a6a', 'right');
    text('服务器 ' + server, W - 16, H - 10, 12, '#6f6852', 'right');
    if (state === 'title') {
      text('星落守护', W / 2, H / 2 - 30, 44, '#ffd97a');
      text('接住金色星辰，躲开火球 · 鼠标或方向键移动', W / 2, H / 2 + 10, 16, '#cfd8ff');
      text('点击或按空格开始', W / 2, H / 2 + 40, 16, '#ffffff');
    } else if (state === 'over') {
      text('游戏结束', W / 2, H / 2 - 20, 40, '#ff7a6a');
      text('本局得分 ' + score + ' · 最高 ' + best, W / 2, H / 2 + 16, 18, '#ffd97a');
      text('点击或按空格再来一局', W / 2, H / 2 + 46, 16, '#ffffff');
    } else if (state === 'pause') {
      text('暂停中 · 按 P 继续', W / 2, H / 2, 24, '#ffffff');
    }
  }
  function frame(t) {
    var dt = last ? Math.min(0.05, (t - last) / 1000) : 0;
    last = t;
    update(dt);
    draw();
    requestAnimationFrame(frame);
  }
  function start() {
    if (state === 'title' || state === 'over') reset();
  }

  resize();
  window.addEventListener('resize', resize);
  if (window.top !== window) { draw(); return; }
  canvas.addEventListener('mousemove', function (e) { shield.x = Math.min(1, Math.max(0, e.clientX / W)); });
  canvas.addEventListener('mousedown', start);
  window.addEventListener('keydown', function (e) {
    keys[e.code] = true;
    if (e.code === 'Space') { start(); e.preventDefault(); }
    if (e.code === 'KeyP' && (state === 'play' || state === 'pause')) state = state === 'play' ? 'pause' : 'play';
  });
  window.addEventListener('keyup', function (e) { keys[e.code] = false; });
  requestAnimationFrame(frame);
})();
</script>
</body>
</html>
)HTML";

inline void RegisterGamePage(httplib::Server& server, SiteContext&) {
  server.Get("/play/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(kGamePageHtml), "text/html; charset=utf-8");
  });
}

}  // namespace vz::sim
