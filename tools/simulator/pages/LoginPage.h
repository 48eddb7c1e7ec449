#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "tools/simulator/Site.h"
#include "tools/simulator/pages/PageStats.h"

namespace vz::sim {

// The platform's login page for this game (643x398, the launcher's browser area): the
// player's account, a server list, a trial-account choice and a quick-entry link. A click
// on an open server hands everything to the client through window.external:
// "openPay" (payment address), "ShowBindBtn" (trial account only), "OpenGame"
// ("address|id|name") and "ShowIM" (seven fields, each followed by "|"). The quick entry
// navigates a hidden frame to the game address with "client = 1". The page reports its
// load and what window.external answered through "stat" beacons (PageStats).
inline constexpr std::string_view kLoginPageHtml = R"HTML(<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<title>ZelvoKiravel 账号登录</title>
<style>
  * { box-sizing: border-box; margin: 0; padding: 0; }
  html, body { width: 643px; height: 398px; overflow: hidden; }
  body {
    font: 13px/1.5 "Microsoft YaHei", "微软雅黑", "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif;
    color: #e8dcc0;
    background: radial-gradient(ellipse at 30% 20%, #25316b 0%, #111a3f 55%, #080c22 100%);
    user-select: none;
  }
  .left {
    position: absolute; left: 12px; top: 12px; width: 208px; height: 374px;
    background: rgba(8, 12, 36, 0.72); border: 1px solid #8a6d2f; border-radius: 6px;
    padding: 12px;
  }
  .avatar {
    width: 56px; height: 56px; border-radius: 50%; float: left; margin-right: 10px;
    background: radial-gradient(circle at 35% 35%, #ffe9a8, #c7902b 60%, #6d4a12);
    border: 2px solid #e8c46a; box-shadow: 0 0 8px #e8c46a66;
    text-align: center; font: bold 26px/52px serif; color: #3a2508;
  }
  .who { font-size: 12px; color: #b9ab8a; }
  .who b { display: block; font-size: 16px; color: #ffd97a; }
  .account { clear: both; padding-top: 10px; font-size: 12px; color: #b9ab8a; }
  .account .kind { color: #7fe07f; }
  .account .kind.trial { color: #ff9c5c; }
  .recent { margin-top: 10px; padding: 8px; border: 1px dashed #5a4a28; border-radius: 4px; }
  .recent h4 { font-size: 12px; color: #b9ab8a; font-weight: normal; }
  .recent a { color: #ffd97a; text-decoration: none; font-size: 14px; }
  .recent a:hover { color: #fff3c4; }
  label.trial { display: block; margin-top: 10px; cursor: pointer; font-size: 12px; }
  label.trial input { vertical-align: -2px; margin-right: 4px; }
  .notice { margin-top: 10px; font-size: 12px; color: #9d9277; }
  .notice h4 { color: #e8c46a; font-size: 12px; }
  .notice li { list-style: none; white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
  .notice li::before { content: "◆ "; color: #8a6d2f; }
  .links { position: absolute; left: 12px; bottom: 10px; font-size: 12px; }
  .links a { color: #b9ab8a; margin-right: 10px; }
  .right {
    position: absolute; left: 230px; top: 12px; width: 401px; height: 374px;
    background: rgba(8, 12, 36, 0.6); border: 1px solid #8a6d2f; border-radius: 6px;
  }
  .tabs { height: 36px; border-bottom: 1px solid #8a6d2f; padding: 0 10px; }
  .tabs span {
    display: inline-block; height: 35px; line-height: 35px; padding: 0 14px;
    color: #b9ab8a; cursor: pointer;
  }
  .tabs span.on { color: #ffd97a; border-bottom: 2px solid #ffd97a; }
  .servers { padding: 10px; display: grid; grid-template-columns: 1fr 1fr; gap: 8px; }
  .server {
    height: 44px; padding: 4px 10px; border: 1px solid #5a4a28; border-radius: 4px;
    background: linear-gradient(#2a2f58, #171b3a); cursor: pointer; position: relative;
  }
  .server:hover { border-color: #ffd97a; background: linear-gradient(#39407a, #1f2450); }
  .server .name { color: #fff1cf; font-size: 14px; }
  .server .line { color: #8f87a8; font-size: 11px; }
  .server .state { position: absolute; right: 8px; top: 6px; font-size: 11px; }
  .s-ok { color: #5fe05f; } .s-busy { color: #f0c040; } .s-full { color: #ff5a4a; }
  .s-down { color: #8a8a8a; }
  .server.new::after {
    content: "新"; position: absolute; right: 8px; bottom: 4px; font-size: 11px;
    color: #fff; background: #d0382b; border-radius: 3px; padding: 0 3px; line-height: 15px;
  }
  .server.down { cursor: not-allowed; opacity: 0.6; }
  .message { position: absolute; left: 10px; right: 10px; bottom: 34px; height: 22px;
    text-align: center; color: #ffb070; }
  .foot { position: absolute; left: 10px; right: 10px; bottom: 8px; font-size: 11px;
    color: #6f6852; text-align: right; }
  iframe.enter { display: none; }
</style>
</head>
<body>
<div class="left">
  <div class="avatar">勇</div>
  <div class="who">欢迎回来<b id="player">勇者</b></div>
  <div class="account">账号类型：<span id="kind" class="kind">正式账号</span></div>
  <div class="recent">
    <h4>上次登录</h4>
    <a id="quick" class="quick" target="enter" href="#">双线1区 风云再起 ›</a>
  </div>
  <label class="trial"><input type="checkbox" id="trial">以试玩账号进入（未绑定）</label>
  <div class="notice">
    <h4>最新公告</h4>
    <ul>
      <li>双线5区「烽火连城」今日10:00火爆开启</li>
      <li>电信3区本周四06:00至10:00停机维护</li>
      <li>冬季登录有礼：连续七天领取坐骑</li>
    </ul>
  </div>
  <div class="links"><a id="forum" target="_blank" href="#">官方论坛</a><a id="help" target="_blank" href="#">新手指引</a></div>
</div>
<div class="right">
  <div class="tabs"><span class="on">推荐服务器</span><span>全部服务器</span></div>
  <div class="servers" id="servers"></div>
  <div class="message" id="message"></div>
  <div class="foot">客户端接口版本：<span id="api">—</span></div>
</div>
<iframe class="enter" name="enter" title="enter"></iframe>
<script>
(function () {
  var GAME = '@GAME@', PAY = '@PAY@';
  var SERVERS = [
    { id: 1, name: '双线1区 风云再起', line: '双线 · 2009-06-18', state: 'ok' },
    { id: 2, name: '双线2区 龙腾四海', line: '双线 · 2009-09-01', state: 'busy' },
    { id: 3, name: '电信3区 群雄逐鹿', line: '电信 · 维护至10:00', state: 'down' },
    { id: 4, name: '网通4区 剑指苍穹', line: '网通 · 2010-03-12', state: 'full' },
    { id: 5, name: '双线5区 烽火连城', line: '双线 · 今日新开', state: 'ok', isNew: true },
    { id: 6, name: '双线6区 傲视群雄', line: '双线 · 2011-01-20', state: 'busy' },
    { id: 7, name: '双线7区 一统江湖', line: '双线 · 2011-05-05', state: 'ok' },
    { id: 8, name: '电信8区 笑傲九州', line: '电信 · 2011-08-08', state: 'ok' }
  ];
  var STATES = { ok: ['流畅', 's-ok'], busy: ['繁忙', 's-busy'], full: ['爆满', 's-full'],
                 down: ['维护', 's-down'] };
  var query = new URLSearchParams(location.search);
  var uid = query.get('uid') || '';
  var player = uid ? uid : '游客';
  document.getElementById('player').textContent = player;
  var ext = window.external;
  var hasClient = !!(ext && typeof ext.WD_JAPI === 'function');

  function beacon(params) {
    var img = new Image();
    img.src = 'stat?' + params + '&t=' + Date.now();
  }
  function call(method, value) {
    if (hasClient) ext.WD_JAPI(method, value);
  }
  function gameAddress(s) {
    return GAME + '/play/?server=' + s.id + '&uid=' + encodeURIComponent(uid);
  }
  function enter(s) {
    var msg = document.getElementById('message');
    if (s.state === 'down') { msg.textContent = s.name + ' 正在维护，请选择其他服务器'; return; }
    if (!hasClient) { msg.textContent = '请使用客户端登录游戏'; return; }
    msg.textContent = '正在进入 ' + s.name + ' ……';
    var trial = document.getElementById('trial').checked;
    call('openPay', PAY + '/?g=kv&uid=' + encodeURIComponent(uid) + '&server=' + s.id);
    if (trial) call('ShowBindBtn', '');
    call('OpenGame', gameAddress(s) + '|' + s.id + '|' + s.name);
    var nick = (trial ? '试玩' : '') + player;
    var fields = [nick, uid, 'kv', String(s.id), s.name, trial ? 'trial' : 'vip1', String(Date.now())];
    // Written in another letter case on purpose: member names are case-insensitive.
    ext.Wd_Japi('ShowIM', fields.join('|') + '|');
  }

  var list = document.getElementById('servers');
  SERVERS.forEach(function (s) {
    var el = document.createElement('div');
    el.className = 'server' + (s.isNew ? ' new' : '') + (s.state === 'down' ? ' down' : '');
    el.id = 'server-' + s.id;
    var name = document.createElement('div');
    name.className = 'name';
    name.textContent = s.name;
    var line = document.createElement('div');
    line.className = 'line';
    line.textContent = s.line;
    var state = document.createElement('span');
    state.className = 'state ' + STATES[s.state][1];
    state.textContent = '● ' + STATES[s.state][0];
    el.appendChild(name); el.appendChild(line); el.appendChild(state);
    el.addEventListener('click', function () { enter(s); });
    list.appendChild(el);
  });

  document.getElementById('trial').addEventListener('change', function () {
    var kind = document.getElementById('kind');
    kind.textContent = this.checked ? '试玩账号（未绑定）' : '正式账号';
    kind.className = this.checked ? 'kind trial' : 'kind';
  });
  // The quick entry is a navigation the client recognises by "client = 1".
  document.getElementById('quick').href = gameAddress(SERVERS[0]) + '&client = 1';
  document.getElementById('forum').href = GAME + '/';
  document.getElementById('help').href = GAME + '/?page=guide';

  var version = '';
  if (hasClient) {
    try { version = ext.wd_japi('getApiVersion'); } catch (e) { version = ''; }
  }
  document.getElementById('api').textContent = version || '—';
  window.addEventListener('load', function () {
    beacon('ev=load&api=' + encodeURIComponent(version || '') + '&ext=' + (typeof ext) +
           '&client=' + (hasClient ? 1 : 0));
  });
  document.addEventListener('keydown', function (e) {
    beacon('ev=key&code=' + e.keyCode + '&alt=' + (e.altKey ? 1 : 0));
  });
})();
</script>
</body>
</html>
)HTML";

inline std::string ReplaceMarker(std::string text, std::string_view marker,
                                 const std::string& value) {
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
  return text;
}

inline std::string SiteRoot(const SiteContext& context, Site site) {
  return "http://127.0.0.1:" + std::to_string(context.ports.Of(site));
}

// "/game/s/wdAccess/delay?ms=N" makes later answers of the login page wait N ms (0: none),
// so that tests can watch the client before the page has loaded.
inline void RegisterLoginPage(httplib::Server& server, SiteContext& context) {
  const SiteContext* ctx = &context;
  auto delayMs = std::make_shared<std::atomic<long>>(0);
  server.Get("/game/s/wdAccess/", [ctx, delayMs](const httplib::Request&, httplib::Response& res) {
    if (const long ms = delayMs->load();
        ms > 0 && !ctx->stop.SleepFor(std::chrono::milliseconds(ms))) {
      res.status = 503;
      return;
    }
    std::string html(kLoginPageHtml);
    html = ReplaceMarker(std::move(html), "@GAME@", SiteRoot(*ctx, Site::Game));
    html = ReplaceMarker(std::move(html), "@PAY@", SiteRoot(*ctx, Site::Pay));
    res.set_header("Cache-Control", "no-store");
    res.set_content(html, "text/html; charset=utf-8");
  });
  server.Get("/game/s/wdAccess/delay",
             [delayMs](const httplib::Request& req, httplib::Response& res) {
               delayMs->store(std::clamp(LongParam(req, "ms", 0), 0L, 600000L));
               res.set_content("ok\n", "text/plain");
             });
  RegisterPageStats(server, context, "/game/s/wdAccess/");
}

}  // namespace vz::sim
